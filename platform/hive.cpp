#include "platform/hive.h"

#include "common/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <functional>

#include <sys/stat.h>

namespace zelmor {

namespace {
const QString kRootName = QStringLiteral("HKEY_LOCAL_MACHINE");

QString Fold(const QString &name) { return name.toUpper(); }

QStringList SplitKey(const QString &keyPath) {
    QStringList parts = keyPath.split(u'\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && Fold(parts.first()) == kRootName) parts.removeFirst();
    return parts;
}

QString Escape(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == u'\\' || c == u'"') out.append(u'\\');
        out.append(c);
    }
    return out;
}

bool NeedsHex(const QString &s) {
    for (QChar c : s)
        if (c.unicode() < 32) return true;
    return false;
}

// Parses a quoted REGEDIT4 string starting at s[i] == '"'; i ends after the
// closing quote.
std::optional<QString> ParseQuoted(const QString &s, qsizetype &i) {
    if (i >= s.size() || s[i] != u'"') return std::nullopt;
    QString out;
    for (++i; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\' && i + 1 < s.size()) {
            out.append(s[++i]);
        } else if (c == u'"') {
            ++i;
            return out;
        } else {
            out.append(c);
        }
    }
    return std::nullopt;
}
} // namespace

struct SettingsHive::Key {
    QString name;
    struct Entry {
        QString name;
        HiveValue value;
    };
    std::vector<Entry> values;
    std::vector<std::unique_ptr<Key>> children;

    Key *child(const QString &n, bool create) {
        const QString f = Fold(n);
        for (auto &c : children)
            if (Fold(c->name) == f) return c.get();
        if (!create) return nullptr;
        children.push_back(std::make_unique<Key>());
        children.back()->name = n;
        return children.back().get();
    }
    Entry *entry(const QString &n) {
        const QString f = Fold(n);
        for (auto &e : values)
            if (Fold(e.name) == f) return &e;
        return nullptr;
    }
};

QString SettingsHive::DefaultPath() {
    const QString env = qEnvironmentVariable("ZELMOR_REGISTRY");
    if (!env.isEmpty()) return env;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zelmor/registry.reg");
}

SettingsHive::SettingsHive(QString filePath) : path_(std::move(filePath)), root_(std::make_unique<Key>()) {
    root_->name = kRootName;
    refresh();
}

SettingsHive::~SettingsHive() = default;

void SettingsHive::refresh() {
    Stamp now;
    struct stat st {};
    if (::stat(QFile::encodeName(path_).constData(), &st) == 0) {
        now.size = st.st_size;
        now.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        now.inode = qint64(st.st_ino);
    }
    if (now == stamp_) return;
    stamp_ = now;
    root_ = std::make_unique<Key>();
    root_->name = kRootName;
    if (now.size < 0) return;

    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QString text = FromCp1251(f.readAll());
    Key *current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = find(line.mid(1, line.size() - 2), true);
            continue;
        }
        if (!current || !line.startsWith(u'"')) continue;
        qsizetype i = 0;
        const auto name = ParseQuoted(line, i);
        if (!name || i >= line.size() || line[i] != u'=') continue;
        ++i;
        const QString rest = line.mid(i);
        HiveValue v;
        if (rest.startsWith(u'"')) {
            qsizetype j = 0;
            const auto s = ParseQuoted(rest, j);
            if (!s) continue;
            v = HiveValue::string(*s);
        } else if (rest.startsWith(QStringLiteral("dword:"))) {
            bool ok = false;
            const quint32 n = rest.mid(6).trimmed().toUInt(&ok, 16);
            if (!ok) continue;
            v = HiveValue::dword(static_cast<qint32>(n));
        } else if (rest.startsWith(QStringLiteral("hex(1):"))) {
            QByteArray bytes;
            for (const QString &h : rest.mid(7).split(u',', Qt::SkipEmptyParts)) bytes.append(char(h.trimmed().toUInt(nullptr, 16)));
            while (!bytes.isEmpty() && bytes.back() == '\0') bytes.chop(1);
            v = HiveValue::string(FromCp1251(bytes));
        } else {
            continue;
        }
        if (auto *e = current->entry(*name)) e->value = v;
        else current->values.push_back({*name, v});
    }
}

SettingsHive::Key *SettingsHive::find(const QString &keyPath, bool create) {
    Key *k = root_.get();
    for (const QString &part : SplitKey(keyPath)) {
        k = k->child(part, create);
        if (!k) return nullptr;
    }
    return k;
}

bool SettingsHive::keyExists(const QString &keyPath) {
    refresh();
    return find(keyPath, false) != nullptr;
}

std::optional<HiveValue> SettingsHive::value(const QString &keyPath, const QString &name) {
    refresh();
    Key *k = find(keyPath, false);
    if (!k) return std::nullopt;
    if (auto *e = k->entry(name)) return e->value;
    return std::nullopt;
}

std::vector<QString> SettingsHive::valueNames(const QString &keyPath) {
    refresh();
    std::vector<QString> out;
    if (Key *k = find(keyPath, false))
        for (const auto &e : k->values) out.push_back(e.name);
    return out;
}

bool SettingsHive::createKey(const QString &keyPath) {
    refresh();
    if (find(keyPath, false)) return true;
    find(keyPath, true);
    if (save()) return true;
    stamp_ = {};
    refresh(); // drop what could not be stored
    return false;
}

bool SettingsHive::setValue(const QString &keyPath, const QString &name, const HiveValue &v) {
    refresh();
    Key *k = find(keyPath, true);
    if (auto *e = k->entry(name)) e->value = v;
    else k->values.push_back({name, v});
    if (save()) return true;
    stamp_ = {};
    refresh();
    return false;
}

QString SettingsHive::exportText() {
    refresh();
    return render();
}

QString SettingsHive::render() const {
    QString out = QStringLiteral("REGEDIT4\r\n");
    std::function<void(const Key &, const QString &)> write = [&](const Key &k, const QString &path) {
        if (&k != root_.get()) {
            out += QStringLiteral("\r\n[") + path + QStringLiteral("]\r\n");
            for (const auto &e : k.values) {
                out += u'"' + Escape(e.name) + QStringLiteral("\"=");
                if (e.value.kind == HiveKind::Dword) {
                    out += QStringLiteral("dword:%1").arg(static_cast<quint32>(e.value.number), 8, 16, QLatin1Char('0'));
                } else if (NeedsHex(e.value.text)) {
                    QStringList hex;
                    for (char b : ToCp1251(e.value.text) + QByteArray(1, '\0'))
                        hex << QStringLiteral("%1").arg(static_cast<unsigned char>(b), 2, 16, QLatin1Char('0'));
                    out += QStringLiteral("hex(1):") + hex.join(u',');
                } else {
                    out += u'"' + Escape(e.value.text) + u'"';
                }
                out += QStringLiteral("\r\n");
            }
        }
        for (const auto &c : k.children) write(*c, path + u'\\' + c->name);
    };
    write(*root_, kRootName);
    return out;
}

bool SettingsHive::save() {
    const QString text = render();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = ToCp1251(text);
    if (f.write(bytes) != bytes.size() || !f.commit()) return false;
    stamp_ = {};
    refresh();
    return true;
}

} // namespace zelmor
