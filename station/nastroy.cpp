#include "station/nastroy.h"

#include "logbook/enterorder.h"
#include "logbook/settingscatalogue.h"
#include "platform/dialogs.h"
#include "platform/hotkeyedit.h"
#include "platform/paths.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QRadioButton>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelmor {

TNastroy *Nastroy = nullptr;

TNastroy::TNastroy(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Nastroy"));
    setWindowTitle(QStringLiteral("Настройка программы ZELMOR "));
    resize(798, 566);

    nast_menu = new QTreeWidget(this);
    nast_menu->setObjectName(QStringLiteral("nast_menu"));
    nast_menu->setHeaderHidden(true);
    nast_menu->setFixedWidth(241);
    QPalette tip = nast_menu->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    nast_menu->setPalette(tip);
    fillMenu();

    nast_data = new QScrollArea(this);
    nast_data->setObjectName(QStringLiteral("nast_data"));
    nast_data->setWidgetResizable(true);
    auto *content = new QWidget(nast_data);
    sections_ = new QVBoxLayout(content);
    sections_->addStretch(1);
    nast_data->setWidget(content);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(nast_menu);
    layout->addWidget(nast_data, 1);

    // Design states are the first-start defaults; the settings loader sets
    // them from the store.
    QWidget *fields = section(QStringLiteral("Настройка полей ввода"));
    fields->layout()->addWidget(new QLabel(QStringLiteral("Разрешить проход курсором полей ввода "), fields));
    tim1 = addCheckBox(fields, "tim1", QStringLiteral("Time"));
    tcb2 = addCheckBox(fields, "tcb2", QStringLiteral("Band"));
    tcb3 = addCheckBox(fields, "tcb3", QStringLiteral("Mode"));
    tdata1 = addCheckBox(fields, "tdata1", QStringLiteral("Date"));
    tqsl = addCheckBox(fields, "tqsl", QStringLiteral("QSL"));
    trsts = addCheckBox(fields, "trsts", QStringLiteral("RSTs"));
    toch = addCheckBox(fields, "toch", QStringLiteral("Очки"));
    tqth = addCheckBox(fields, "tqth", QStringLiteral("QTH"), true);
    tname = addCheckBox(fields, "tname", QStringLiteral("Name"), true);
    trst = addCheckBox(fields, "trst", QStringLiteral("RSTr"));
    Tvia = addCheckBox(fields, "Tvia", QStringLiteral("Via"));
    tiota = addCheckBox(fields, "tiota", QStringLiteral("Iota"));
    tfreq = addCheckBox(fields, "tfreq", QStringLiteral("Freq"));
    Cqthl = addCheckBox(fields, "Cqthl", QStringLiteral("QTHL"));

    eentr = addLineEdit(section(QStringLiteral("Настройка обхода полей ввода")), "eentr",
                        QStringLiteral("Последовательность обхода курсором полей ввода"), DefaultEnterOrder);

    QWidget *save = section(QStringLiteral("Команда записи данных в файл"));
    save->layout()->addWidget(new QLabel(QStringLiteral("Клавиша записи в файл"), save));
    wKey1 = new THotKey(save);
    wKey1->setObjectName(QStringLiteral("wKey1"));
    wKey1->setShortcutCode(112);
    save->layout()->addWidget(wKey1);
    enterc = addCheckBox(save, "enterc", QStringLiteral("Запись в файл клавишей ENTER"));

    QWidget *qsl = section(QStringLiteral("Автоматическая отметка QSL статуса"));
    qslf1 = addCheckBox(qsl, "qslf1", QStringLiteral("Отправить QSL, если страна подтверждена на диапазоне меньше раз, чем"));
    eqslf1 = addLineEdit(qsl, "eqslf1", QStringLiteral("Количество подтверждений"));
    eqslf1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]{0,3}")), eqslf1));
    qslf3 = addCheckBox(qsl, "qslf3", QStringLiteral("Отправить QSL только на другие континенты"));
    qslf2 = addCheckBox(qsl, "qslf2", QStringLiteral("Отправить QSL всем, кроме своей страны"));

    QWidget *qsoWindow = section(QStringLiteral("Установки окна QSO"));
    n24 = addCheckBox(qsoWindow, "n24", QStringLiteral("Показывать таблицу повторных QSO"), true);
    ru_en = addCheckBox(qsoWindow, "ru_en", QStringLiteral("Переключать раскладку клавиатуры в полях ввода"), true);
    n26 = addCheckBox(qsoWindow, "n26", QStringLiteral("Показывать позывные из журнала по первым символам"), true);
    avtmode = addCheckBox(qsoWindow, "avtmode", QStringLiteral("Автоматически устанавливать MODE и RST"));
    data23 = addCheckBox(qsoWindow, "data23", QStringLiteral("Оставлять предыдущую дату"));
    n22 = addCheckBox(qsoWindow, "n22", QStringLiteral("При запуске включать управление трансивером"));
    qso2 = addCheckBox(qsoWindow, "qso2", QStringLiteral("При запуске открыть окно QSO"), true);
    mngpoisk = addCheckBox(qsoWindow, "mngpoisk", QStringLiteral("Искать QSL менеджера"));
    Name_qth = addCheckBox(qsoWindow, "Name_qth", QStringLiteral("Предлагать NAME и QTH из списков"));
    qsoWindow->layout()->addWidget(new QLabel(QStringLiteral("Настройка строки - DATE"), qsoWindow));
    Edit4 = addLineEdit(qsoWindow, "Edit4", QStringLiteral("Месяц"));
    Edit8 = addLineEdit(qsoWindow, "Edit8", QStringLiteral("Год"));

    QWidget *clubs = section(QStringLiteral("Работа с базами клубов"));
    cagb = addCheckBox(clubs, "cagb", QStringLiteral("AGB"));
    cvet = addCheckBox(clubs, "cvet", QStringLiteral("Ветеран"), true);
    cdig = addCheckBox(clubs, "cdig", QStringLiteral("DIG"), true);
    ckdr = addCheckBox(clubs, "ckdr", QStringLiteral("KDR"));
    chfc = addCheckBox(clubs, "chfc", QStringLiteral("HFC"));
    crcc = addCheckBox(clubs, "crcc", QStringLiteral("RCC"));
    Csrvs = addCheckBox(clubs, "Csrvs", QStringLiteral("СРВС"));

    QWidget *veterans = section(QStringLiteral("Ветеран"));
    strvet = new TStringGrid(4, 11, veterans);
    strvet->setObjectName(QStringLiteral("strvet"));
    const char *vetHeads[4] = {"№", "Call", "Имя", "Очки"};
    for (int c = 0; c < 4; ++c) strvet->setCell(c, 0, QString::fromUtf8(vetHeads[c]));
    strvet->setMinimumHeight(160);
    veterans->layout()->addWidget(strvet);
    Panel24 = new QLabel(veterans);
    Panel24->setObjectName(QStringLiteral("Panel24"));
    veterans->layout()->addWidget(Panel24);

    QWidget *radio = section(QStringLiteral("Управление трансивером"));
    rxtx_call = addCheckBox(radio, "rxtx_call", QStringLiteral("Опрашивать трансивер при вводе позывного"));
    rxtx_1 = addCheckBox(radio, "rxtx_1", QStringLiteral("Опрашивать трансивер только по команде"));

    QWidget *sound = section(QStringLiteral("Звуковое сопровождение"));
    povmidi = addCheckBox(sound, "povmidi", QStringLiteral("Звук при повторном QSO"));
    Edit15 = addLineEdit(sound, "Edit15", QString());
    addSoundPicker(sound, Edit15);
    Newworld = addCheckBox(sound, "Newworld", QStringLiteral("Звук при новой стране"));
    Edit16 = addLineEdit(sound, "Edit16", QString());
    addSoundPicker(sound, Edit16);

    glaw1 = addCheckBox(section(QStringLiteral("Общие установки")), "glaw1", QStringLiteral("Всплывающее главное окно"), true);
    del_f = addCheckBox(section(QStringLiteral("Удаление пустых строк")), "del_f",
                        QStringLiteral("Показывать окно удаления пустых строк при каждом запуске"));

    // The CAT link's controls, kept hidden until the transceiver page is laid
    // out; the transceiver window reads them when the link opens.
    auto *cat = new QGroupBox(this);
    cat->setObjectName(QStringLiteral("catLinkGroup"));
    cat->hide();
    auto *catLayout = new QVBoxLayout(cat);
    auto option = [&](QButtonGroup *group, const char *name, const QString &caption, bool checked = false) {
        auto *b = new QRadioButton(caption, cat);
        b->setObjectName(QString::fromLatin1(name));
        b->setChecked(checked);
        group->addButton(b);
        catLayout->addWidget(b);
        return b;
    };
    auto *ports = new QButtonGroup(cat);
    om1 = option(ports, "om1", QStringLiteral("COM1"));
    om2 = option(ports, "om2", QStringLiteral("COM2"), true);
    om3 = option(ports, "om3", QStringLiteral("COM3"));
    om4 = option(ports, "om4", QStringLiteral("COM4"));
    auto *models = new QButtonGroup(cat);
    ft840 = option(models, "ft840", QStringLiteral("FT-840"), true);
    ft890 = option(models, "ft890", QStringLiteral("FT-890"));
    ft990 = option(models, "ft990", QStringLiteral("FT-990"));
    ft990_2 = option(models, "ft990_2", QStringLiteral("FT-990 (2)"));
    ft920 = option(models, "ft920", QStringLiteral("FT-920"));
    ft1000mp = option(models, "ft1000mp", QStringLiteral("FT-1000MP"));
    kenwood1 = option(models, "kenwood1", QStringLiteral("KENWOOD"));
    skorost = new QComboBox(cat);
    skorost->setObjectName(QStringLiteral("skorost"));
    skorost->setEditable(true);
    skorost->addItems({QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")});
    skorost->setCurrentText(QStringLiteral("4800"));
    skorost->setToolTip(QStringLiteral("Скорость обмена с трансивером (для KENWOOD)"));
    catLayout->addWidget(skorost);
    cw_ssb = new QCheckBox(cat);
    cw_ssb->setObjectName(QStringLiteral("cw_ssb"));
    catLayout->addWidget(cw_ssb);
    // Controls whose page the dialog does not have yet: live settings all the
    // same, in a group that is not shown.
    auto *later = new QGroupBox(this);
    later->setObjectName(QStringLiteral("laterControls"));
    new QVBoxLayout(later);
    later->hide();
    n50 = addCheckBox(later, "n50", QStringLiteral("Звуковое сопровождение таймера"));
    connect(n50, &QCheckBox::clicked, this, [](bool on) { WriteSetting(SettingId::ReminderSound, on); });
    addLookControls();
    addKeyerControls();
    addQsoMenuControls();
}

void TNastroy::addLookControls() {
    QWidget *look = section(QStringLiteral("Окно QSO: внешний вид и запуск"));
    look->hide();
    look->layout()->addWidget(new QLabel(QStringLiteral("Параметры вступят в силу после перезапуска программы"), look));
    vid_qso = new QComboBox(look);
    vid_qso->setObjectName(QStringLiteral("vid_qso"));
    vid_qso->setEditable(true);
    vid_qso->addItems({QStringLiteral("Авангард"), QStringLiteral("Классический")});
    vid_qso->setCurrentIndex(-1);
    vid_qso->setEditText(QString());
    look->layout()->addWidget(vid_qso);
    Notb = addCheckBox(look, "Notb", QStringLiteral("Внешний вид для Нотбука (400х600)"));
    Notb->setEnabled(false);
    n21 = addCheckBox(look, "n21", QStringLiteral("Наличие звуковой карты"));
    n21->hide();
    auto spin = [&](const char *name, int value) {
        auto *s = new QSpinBox(look);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(30, 100);
        s->setValue(value);
        look->layout()->addWidget(s);
        return s;
    };
    updo = spin("updo", 50);
    updo1 = spin("updo1", 37);
    auto grid = [&](const char *name, int cols) {
        auto *g = new TStringGrid(cols, 2, look);
        g->setObjectName(QString::fromLatin1(name));
        look->layout()->addWidget(g);
        return g;
    };
    strdxcc = grid("strdxcc", 12);
    striota = grid("striota", 3);
    Striota1 = grid("Striota1", 3);
    Strdig = grid("Strdig", 3);
    // Each stores itself when changed; the loader sets them quietly.
    connect(vid_qso, &QComboBox::currentTextChanged, this, [](const QString &t) { WriteSetting(SettingId::Look, t); });
    connect(Notb, &QCheckBox::toggled, this, [](bool on) { WriteSetting(SettingId::Compact, on); });
    connect(n21, &QCheckBox::toggled, this, [](bool on) { WriteSetting(SettingId::SoundCard, on); });
}

void TNastroy::addQsoMenuControls() {
    QWidget *group = section(QStringLiteral("Окно QSO: внешняя программа"));
    group->hide();
    Edit7 = addLineEdit(group, "Edit7", QStringLiteral("Путь к файлу EXE"));
    // It stores itself when the operator changes it; the loader sets it.
    connect(Edit7, &QLineEdit::textEdited, this, [](const QString &t) { WriteSetting(SettingId::ExePath, t); });
}

void TNastroy::fillMenu() {
    struct Node {
        const char *caption;
        std::vector<Node> children;
    };
    const std::vector<Node> tree = {
        {"Окно QSO",
         {{"Настройка полей ввода", {}},
          {"Настройка обхода полей ввода", {}},
          {"Настройка путей к звуковым файлам", {}},
          {"Автоматическая отметка QSL статуса", {}},
          {"Команда записи данных в файл", {}},
          {"Установки окна QSO", {}},
          {"Режим CW", {{"Скорость CW", {}}, {"Командные строки CW", {}}}},
          {"Работа с базами клубов", {}},
          {"Внешний вид окна QSO", {}}}},
        {"Окно QSL",
         {{"Условия заполнения таблиц", {}},
          {"Ориентация наклеек", {}},
          {"Ориентация личного формата", {}},
          {"Ориентация блока данных", {}},
          {"Образец наклейки", {}},
          {"Установки", {}}}},
        {"Базы",
         {{"IOTA", {}}, {"DXCC", {}}, {"DIG", {}}, {"Ветеран", {}}, {"Россия", {}}, {"QTH", {}},
          {"Name", {}}, {"AGB", {}}, {"KDR", {}}, {"HFC", {}}, {"RCC", {}}, {"СРВС", {}}}},
        {"Пути к файлам", {{"Пути к колбукам", {}}, {"Путь к текущему лог файлу", {}}}},
        {"Управление трансивером", {}},
        {"Звук", {{"Звуковое сопровождение", {}}}},
        {"Общие установки", {}},
        {"Удаление пустых строк", {}},
    };
    auto add = [](auto &self, QTreeWidgetItem *item, const Node &n) -> void {
        item->setText(0, QString::fromUtf8(n.caption));
        for (const Node &c : n.children) self(self, new QTreeWidgetItem(item), c);
    };
    for (const Node &n : tree) add(add, new QTreeWidgetItem(nast_menu), n);
}

QWidget *TNastroy::section(const QString &caption) {
    for (QGroupBox *g : groups_)
        if (g->title() == caption) return g;
    auto *g = new QGroupBox(caption, nast_data->widget());
    new QVBoxLayout(g);
    sections_->insertWidget(int(groups_.size()), g);
    groups_.push_back(g);
    return g;
}

QCheckBox *TNastroy::addCheckBox(QWidget *section, const char *name, const QString &caption, bool checked) {
    auto *box = new QCheckBox(caption, section);
    box->setObjectName(QString::fromUtf8(name));
    box->setChecked(checked);
    section->layout()->addWidget(box);
    return box;
}

} // namespace zelmor

namespace zelmor {

QLineEdit *TNastroy::addLineEdit(QWidget *section, const char *name, const QString &caption, const QString &text) {
    if (!caption.isEmpty()) section->layout()->addWidget(new QLabel(caption, section));
    auto *e = new QLineEdit(text, section);
    e->setObjectName(QString::fromUtf8(name));
    section->layout()->addWidget(e);
    return e;
}

void TNastroy::addSoundPicker(QWidget *section, QLineEdit *edit) {
    auto *pick = new QPushButton(QStringLiteral("..."), section);
    pick->setMaximumWidth(40);
    section->layout()->addWidget(pick);
    connect(pick, &QPushButton::clicked, this, [edit] {
        const QString chosen = platform::dialogs().openFileName(QString(), QStringLiteral("Звуковой файл|*wav"), ProgramDir);
        // Other windows open their files by bare name: the program folder
        // stays the current one.
        if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
}

void TNastroy::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    Panel24->setText(QString::number(ShowVeteranList(strvet->model())));
}

QCheckBox *TNastroy::clubBox(Club c) const {
    switch (c) {
    case Club::Dig: return cdig;
    case Club::Veteran: return cvet;
    case Club::Agb: return cagb;
    case Club::Kdr: return ckdr;
    case Club::Hfc: return chfc;
    case Club::Rcc: return crcc;
    case Club::Srvs: return Csrvs;
    }
    return nullptr;
}

QCheckBox *TNastroy::entryBox(const QString &key) const {
    const std::pair<const char *, QCheckBox *> boxes[] = {
        {"NAME", tname}, {"QTH", tqth},  {"QTHL", Cqthl}, {"DATE", tdata1}, {"TIME", tim1},
        {"RSTR", trst},  {"RSTS", trsts}, {"BAND", tcb2}, {"MODE", tcb3},   {"QSL", tqsl},
        {"VIA", Tvia},   {"IOTA", tiota}, {"FREQ", tfreq}, {"POINTS", toch},
    };
    for (const auto &[k, b] : boxes)
        if (key == QLatin1String(k)) return b;
    return nullptr;
}

} // namespace zelmor
