#pragma once
// The bars of the QSO window's band chart as plain values: the title lines
// and four series of (label, value, colour). The chart view draws from this;
// tests read it.
#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace zelmor {

struct Bar {
    QString label;
    double value = 0;
    QColor colour;
    bool operator==(const Bar &o) const { return label == o.label && value == o.value && colour == o.colour; }
};

struct BarChartModel {
    QStringList title; // one text per title line
    QString foot;
    // Series1 (labels only), Series2 (blue), Series3 (red), Series4 (yellow).
    std::array<std::vector<Bar>, 4> series;
    void clearSeries() {
        for (auto &s : series) s.clear();
    }
    std::vector<Bar> &Series(int n) { return series[n - 1]; } // 1-based, as the series are named
    const std::vector<Bar> &Series(int n) const { return series[n - 1]; }
};

} // namespace zelmor
