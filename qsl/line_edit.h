#pragma once
// The layout editor's line editor.
#include "qsl/elementeditor.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace zelmor {

class Tline_edit : public ElementEditor {
    Q_OBJECT
public:
    explicit Tline_edit(QWidget *parent = nullptr);

    QComboBox *line_e_n;       // "Имя линии"
    CoordinateField *line_e_x1, *line_e_y1, *line_e_x2, *line_e_y2;
    QCheckBox *line_e_ch;      // "Видимая линия"
    QRadioButton *line_e_s1, *line_e_s2, *line_e_s3, *line_e_s4, *line_e_s5; // pen 1, 2, 3, 4, 0
    QLineEdit *line_e_w;       // pen width
    QToolButton *line_k;       // "С": line colour
    QToolButton *SpeedButton2; // OK
    QToolButton *SpeedButton1; // Del
    QLabel *Image1;            // samples of the line styles

    void loadElement(const QslLayoutElement &e) override;
    void styleChosen(int penStyle);

protected:
    std::optional<QslLayoutElement> fieldsElement() override;

private:
    QButtonGroup *styles_;
    quint8 loadedStyle_ = 0; // kept when the element's style has no button
};

extern Tline_edit *line_edit;

} // namespace zelmor
