#include "platform/help.h"

#include "platform/dialogs.h"

namespace zelmor {

QString HelpUnavailableText(const QString &file) {
    return QStringLiteral("Справка (") + file + QStringLiteral(") в этой версии недоступна.");
}

void NoWinHelp::show(const QString &file, int) {
    platform::dialogs().messageBox(QStringLiteral("ZELMOR"), HelpUnavailableText(file), MsgIcon::Information, MbOk);
}

namespace platform {
namespace {
Help *g_help = nullptr;
}
Help &help() {
    static NoWinHelp none;
    return g_help ? *g_help : none;
}
void install(Help *h) { g_help = h; }
} // namespace platform

} // namespace zelmor
