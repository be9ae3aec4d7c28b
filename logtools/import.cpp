#include "logtools/import.h"

namespace zelmor {

Timport *import = nullptr;

Timport::Timport(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("import"));
    setWindowTitle(QStringLiteral("Импорт и экспорт файлов"));
}

} // namespace zelmor
