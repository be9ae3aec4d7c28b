#pragma once
// The layout editor's shape editor.
#include "qsl/elementeditor.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QToolButton;

namespace zelmor {

class Trec_edit : public ElementEditor {
    Q_OBJECT
public:
    explicit Trec_edit(QWidget *parent = nullptr);

    QComboBox *rec_e_n;        // "Имя рамки"
    QComboBox *rec_e_s;        // "Тип рамки"
    CoordinateField *rec_e_x1, *rec_e_y1, *rec_e_x2, *rec_e_y2;
    CoordinateField *rec_e_xy; // "Улол закругления"
    QCheckBox *rec_e_ch;       // "Видимая рамка"
    QRadioButton *rec_bur[8];  // rec_bur1..8: brush 1, 5, 6, 7, 4, 2, 0, 3
    QRadioButton *rec_pen[6];  // rec_pen1..6: pen 5, 1, 2, 3, 4, 0
    QLineEdit *rec_e_w;        // pen width
    QToolButton *SpeedButton1; // "ОК"
    QToolButton *SpeedButton4; // Del
    QToolButton *SpeedButton2; // pen colour
    QToolButton *SpeedButton3; // fill colour

    void loadElement(const QslLayoutElement &e) override;

protected:
    std::optional<QslLayoutElement> fieldsElement() override;

private:
    QButtonGroup *brushes_, *pens_;
    quint8 loadedBrush_ = 0, loadedPen_ = 0;
};

extern Trec_edit *rec_edit;

} // namespace zelmor
