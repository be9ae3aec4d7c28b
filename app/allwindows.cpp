#include "app/allwindows.h"

#include "app/wiring.h"

#include "logbook/del_file.h"
#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/glawnf.h"
#include "logbook/proverk.h"
#include "logbook/psk.h"
#include "logbook/startup.h"
#include "logtools/award.h"
#include "logtools/dxcc9b.h"
#include "logtools/import.h"
#include "logtools/iota.h"
#include "logtools/newaw.h"
#include "logtools/otchet.h"
#include "logtools/poisk.h"
#include "logtools/russall.h"
#include "logtools/statist.h"
#include "logtools/waz9b.h"
#include "qsl/adbox.h"
#include "qsl/bmp_edit.h"
#include "qsl/line_edit.h"
#include "qsl/posta.h"
#include "qsl/qsl.h"
#include "qsl/qsl_edit.h"
#include "qsl/rec_edit.h"
#include "qsl/str_edit.h"
#include "station/ant.h"
#include "station/fcw.h"
#include "station/form25.h"
#include "station/gmtf.h"
#include "station/nastroy.h"
#include "station/rxtx.h"
#include "station/time_r.h"

#include <functional>

namespace zelmor {

namespace {

struct WindowSlot {
    std::function<QWidget *()> create;
    // Clears the instance pointer and hands back the window.
    std::function<QWidget *()> release;
};

template <class W>
WindowSlot Slot(W *&instance) {
    return {[&instance]() -> QWidget * { return instance = new W; },
            [&instance]() -> QWidget * {
                QWidget *w = instance;
                instance = nullptr;
                return w;
            }};
}

const std::vector<WindowSlot> &Slots() {
    static const std::vector<WindowSlot> table = {
        Slot(glawnf),   Slot(form1),    Slot(QSL),       Slot(otchet),    Slot(poisk),     Slot(award),
        Slot(DXcc9b),   Slot(waz9b),    Slot(russall),   Slot(IOTA),      Slot(gmtf),      Slot(Ant),
        Slot(import),   Slot(Form20),   Slot(rxtx),      Slot(newaw),     Slot(Statist),   Slot(Nastroy),
        Slot(Posta),    Slot(fcw),      Slot(time_r),    Slot(adbox),     Slot(Form25),    Slot(Proverk),
        Slot(qsl_edit), Slot(str_edit), Slot(line_edit), Slot(rec_edit),  Slot(Bmp_edit),  Slot(del_file),
        Slot(psk),
    };
    return table;
}

std::vector<QWidget *> g_windows;

} // namespace

void CreateAllWindows() {
    Q_ASSERT(g_windows.empty());
    ResetStartupState();
    for (const WindowSlot &s : Slots()) g_windows.push_back(s.create());
    ConnectWindows();
}

void DestroyAllWindows() {
    if (!g_windows.empty()) DisconnectWindows();
    const auto &table = Slots();
    for (auto i = table.size(); i-- > 0;) delete table[i].release();
    g_windows.clear();
}

std::vector<QWidget *> AllWindows() { return g_windows; }

} // namespace zelmor
