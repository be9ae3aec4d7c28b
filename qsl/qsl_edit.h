#pragma once
// The QSL layout editor.
#include <QWidget>

class QComboBox;

namespace zelmor {

class Tqsl_edit : public QWidget {
    Q_OBJECT
public:
    explicit Tqsl_edit(QWidget *parent = nullptr);

    QComboBox *qsl_box; // "Имя QSL": the layouts, "<n>QSL"; its text is the current one
};

extern Tqsl_edit *qsl_edit;

} // namespace zelmor
