#include "station/nastroy.h"

#include <QCheckBox>
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

    QWidget *fields = section(QStringLiteral("Настройка полей ввода"));
    fields->layout()->addWidget(new QLabel(QStringLiteral("Разрешить проход курсором полей ввода "), fields));
    tim1 = addCheckBox(fields, "tim1", QStringLiteral("Time"));

    QWidget *qsoWindow = section(QStringLiteral("Установки окна QSO"));
    n22 = addCheckBox(qsoWindow, "n22", QStringLiteral("При запуске включать управление трансивером"));
    qso2 = addCheckBox(qsoWindow, "qso2", QStringLiteral("При запуске открыть окно QSO"), true);

    glaw1 = addCheckBox(section(QStringLiteral("Общие установки")), "glaw1", QStringLiteral("Всплывающее главное окно"), true);
    del_f = addCheckBox(section(QStringLiteral("Удаление пустых строк")), "del_f",
                        QStringLiteral("Показывать окно удаления пустых строк при каждом запуске"));
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
