#pragma once
// The user awards: award definitions by call-sign conditions and their progress.
// So far the parts the report printing reads: the certifier's line and the
// result grid.
#include "platform/stringgrid.h"

#include <QWidget>
#include <functional>

class QLineEdit;

namespace zelmor {

class Taward : public QWidget {
    Q_OBJECT
public:
    explicit Taward(QWidget *parent = nullptr);

    QLineEdit *Edit3;  // "Ф.И.О. ,Call - Заверяющего": the certifier's line
    TStringGrid *Str3; // the counted QSOs: 8 headed columns, then "Итого:"
};

extern Taward *award;

// Headings of Str3.
extern const QStringList AwardResultHeadings;

// The chosen award's name (the award selector's text); filled when the
// selector exists.
extern std::function<QString()> CurrentAwardName;

} // namespace zelmor
