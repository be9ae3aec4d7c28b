#pragma once
// The layout editor's text string editor.
#include "qsl/elementeditor.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace zelmor {

class Tstr_edit : public ElementEditor {
    Q_OBJECT
public:
    explicit Tstr_edit(QWidget *parent = nullptr);

    QComboBox *str_e_n;      // "Имя текстовой строки (данных)"
    QLineEdit *str_e_t;      // "Текст"
    CoordinateField *str_e_x, *str_e_y;
    QCheckBox *str_e_ch;     // "Видимая строка"
    QToolButton *str_k;      // "F": font
    QLabel *str_k_o;         // "Text obrazec": the font's name in its colour
    QToolButton *SpeedButton1; // "C": background colour
    QToolButton *SpeedButton2; // OK
    QToolButton *SpeedButton3; // Del
    QPushButton *komand;     // "Команды"
    QWidget *koman;          // the field commands

    void loadElement(const QslLayoutElement &e) override;
    void str_kClick();
    void SpeedButton1Click();
    void komandClick();

protected:
    std::optional<QslLayoutElement> fieldsElement() override;

private:
    void showSample();
};

extern Tstr_edit *str_edit;

} // namespace zelmor
