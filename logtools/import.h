#pragma once
// Import from ADIF and other loggers, export to ADIF, text and contest formats.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Timport : public QWidget {
    Q_OBJECT
public:
    explicit Timport(QWidget *parent = nullptr);
};

extern Timport *import;

} // namespace zelmor
