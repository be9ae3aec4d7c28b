#pragma once
// The user awards window: the operator's own awards by call-sign conditions,
// stored in the settings, counted against the current log, charted in
// percent and printed as an application. The definitions, their storage and
// the counting are in userawards; this is the glue that reads the controls
// and shows the results.
#include "logbook/barchart.h"
#include "logtools/userawards.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QChartView;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QStatusBar;

namespace zelmor {

// The result grid's content: the counted QSOs as values, then the totals
// row. A listing of a hundred thousand QSOs is one vector, not 800,000 cells.
class AwardResultModel : public StringGridModel {
    Q_OBJECT
public:
    explicit AwardResultModel(const QStringList &headings, QObject *parent = nullptr);
    // Rows 1.. the QSOs, then "Итого:" (with the points total when counted);
    // the row count becomes listed + 2.
    void setResult(std::vector<AwardQso> rows, bool pointsCounted, qint64 pointsTotal);
    // Nothing listed: 2 rows, row 1 blank.
    void clearResult() { takeResult(); }
    // The same, handing back the listing's vector, whose memory the next
    // computation can fill again.
    std::vector<AwardQso> takeResult();
    int listedCount() const { return int(rows_.size()); }
    const std::vector<AwardQso> &rows() const { return rows_; }

    QString cell(int col, int row) const override;

private:
    std::vector<AwardQso> rows_;
    bool totals_ = false, pointsCounted_ = false;
    qint64 pointsTotal_ = 0;
};

class Taward : public QWidget {
    Q_OBJECT
public:
    explicit Taward(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *N3;                 // "Параметры"
    QAction *N1;               // "Новый диплом"
    QAction *N2;               // "Удалить диплом из списка"
    QAction *N4;               // "Сохранить условие диплома", Ctrl+U
    QAction *N5;               // "Отчет"
    QAction *N6;               // "Очистить диаграмму"
    QAction *N7;               // "Выполнение диплома"
    QMenu *PopupMenu1;         // of the chart and the condition box
    QAction *N9;               // "Очистить диаграмму"
    QAction *N8;               // "Выполнение диплома"

    QComboBox *awardBox;       // the award selector: one entry per slot, free slots empty
    QGroupBox *GroupBox1;      // the conditions
    TStringGrid *str1;         // columns 1-3 "PF", "#", "S", rows 1-99
    QLineEdit *pf;             // edits the chosen cell of str1
    QLineEdit *edit2;          // "Колич. QSO"
    QLineEdit *Edit1;          // "Колич. очков"
    QCheckBox *podsBox;        // "Подсчет очков"
    QCheckBox *povbox;         // "Повт. на разных диап."
    QLineEdit *awdate;         // first date that counts, "dd.mm.yyyy"
    QPlainTextEdit *info1;     // "Адресс отправки"
    QLineEdit *Edit3;          // "Ф.И.О. ,Call - Заверяющего": the certifier's line
    TStringGrid *Str3;         // the counted QSOs: 8 headed columns, then "Итого:"
    AwardResultModel *results; // Str3's model
    QChartView *tchart;        // "Диаграммы выполнение дипломов"
    std::vector<Bar> Series1;  // its bars, one per computation, in order
    QStatusBar *sbar1;

    void N1Click();
    void N2Click();
    void N4Click();
    void N5Click();
    void N6Click() { ClearChart(); }
    void N9Click() { ClearChart(); }
    void N7Click() { ComputeAwardFulfilment(); }
    void N8Click() { ComputeAwardFulfilment(); }
    void awardBoxClick();

    // The conditions standing in the window, and back.
    AwardDefinition Conditions() const;
    void ShowConditions(const AwardDefinition &def);
    void ClearAwardConditions();
    // The first slot of that name into the window; nothing for a name no
    // slot holds any more.
    void LoadAwardDefinition(const QString &name);
    void ComputeAwardFulfilment();
    // "OK" of the name dialog: the window's conditions as a new award. False
    // (and the operator told) when the name is taken or nothing was stored.
    bool AddNewAward(const QString &name);
    // The selector from the stored slots (start-up).
    void LoadAwardSelector();
    void ClearChart();
    // The caption and the grids' headings, on every activation.
    void FormActivate();

    // The cell of str1 that pf edits.
    int editCol() const { return editCol_; }
    int editRow() const { return editRow_; }
    void str1SelectCell(int col, int row);

protected:
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pfChange(const QString &text);
    void DrawChart();
    int editCol_ = 1, editRow_ = 1;
};

extern Taward *award;

// Headings of Str3.
extern const QStringList AwardResultHeadings;

// The chosen award's name (the award selector's text); filled when the
// selector exists.
extern std::function<QString()> CurrentAwardName;

} // namespace zelmor
