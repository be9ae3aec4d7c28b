#include "platform/hive.h"

#include "common/codepage.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace zelmor {

namespace {
const QString kRootName = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kRegedit4 = QStringLiteral("REGEDIT4");
const QString kRegedit5 = QStringLiteral("Windows Registry Editor Version 5.00");

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
std::optional<QString> ParseQuoted(QStringView s, qsizetype &i) {
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

// "hex(1):" data: comma-separated two-digit bytes, cp1251 text with its
// closing zero (and whatever a writer left after it).
std::optional<QString> ParseHexText(QStringView data) {
    QByteArray bytes;
    for (QStringView h : data.split(u',', Qt::SkipEmptyParts)) {
        h = h.trimmed();
        bool ok = false;
        const uint b = h.toUInt(&ok, 16);
        if (!ok || h.size() > 2) return std::nullopt;
        bytes.append(char(b));
    }
    return FromCp1251(bytes);
}

// A registry string ends at its first NUL, whichever form it was written in.
QString UpToNul(QString s) {
    if (const qsizetype at = s.indexOf(QChar(0)); at >= 0) s.truncate(at);
    return s;
}

std::optional<HiveValue> ParseData(QStringView rest) {
    if (rest.startsWith(u'"')) {
        qsizetype j = 0;
        const auto s = ParseQuoted(rest, j);
        if (!s) return std::nullopt;
        return HiveValue::string(UpToNul(*s));
    }
    if (rest.startsWith(u"dword:")) {
        const QStringView digits = rest.mid(6).trimmed();
        bool ok = false;
        const quint32 n = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8) return std::nullopt;
        return HiveValue::dword(static_cast<qint32>(n));
    }
    if (rest.startsWith(u"hex(1):")) {
        if (auto s = ParseHexText(rest.mid(7))) return HiveValue::string(UpToNul(*s));
    }
    return std::nullopt;
}

// Qt's text for a failed flush is often "Unknown error"; the system's is
// the one that helps ("File too large", "No space left on device").
QString ErrorText(const QFileDevice &f, int err) {
    if (err != 0) return QString::fromLocal8Bit(std::strerror(err));
    return f.errorString();
}

void StdErr(const QString &line) {
    const QByteArray b = line.toLocal8Bit();
    std::fprintf(stderr, "zelmor: %s\n", b.constData());
}
} // namespace

struct SettingsHive::Key {
    QString name;
    struct Entry {
        QString name;
        HiveValue value;
        // A line kept as read (continuation lines included); such an entry
        // is no value, and a write of its name replaces it.
        std::optional<QString> raw;
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
        if (n.isEmpty()) return nullptr;
        const QString f = Fold(n);
        for (auto &e : values)
            if (Fold(e.name) == f) return &e;
        return nullptr;
    }
    void set(const QString &n, const HiveValue &v) {
        if (auto *e = entry(n)) {
            e->value = v;
            e->raw.reset();
        } else {
            values.push_back({n, v, std::nullopt});
        }
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
    checkWritable();
}

SettingsHive::~SettingsHive() = default;

SettingsHive::Stamp SettingsHive::StampOf(const QString &path) {
    Stamp now;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        now.size = st.st_size;
        now.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        now.inode = qint64(st.st_ino);
    }
    return now;
}

void SettingsHive::checkWritable() {
    const QByteArray file = QFile::encodeName(path_);
    const QByteArray dir = QFile::encodeName(QFileInfo(path_).absolutePath());
    const bool fileExists = ::access(file.constData(), F_OK) == 0;
    const bool dirExists = ::access(dir.constData(), F_OK) == 0;
    const bool writable = (!fileExists || ::access(file.constData(), W_OK) == 0) &&
                          (!dirExists || ::access(dir.constData(), W_OK) == 0);
    if (writable) return;
    readOnlyNotice_ = QStringLiteral("Файл настроек %1 только для чтения: изменения настроек не будут сохранены")
                          .arg(QDir::toNativeSeparators(path_));
    StdErr(readOnlyNotice_);
}

void SettingsHive::refresh() {
    if (batch_ > 0) return; // the batch's changes are newer than the file
    const Stamp now = StampOf(path_);
    if (now == stamp_) return;
    stamp_ = now;
    root_ = std::make_unique<Key>();
    root_->name = kRootName;
    aside_ = Aside::None;
    if (now.size <= 0) return;

    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    parse(f.readAll());
}

void SettingsHive::refuseFile(const QString &reason) {
    root_ = std::make_unique<Key>();
    root_->name = kRootName;
    aside_ = Aside::RenameUnread;
    asidePath_ = path_ + QStringLiteral(".unread-") + platform::clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString text = QStringLiteral("Файл настроек %1 не прочитан: %2.\nОн будет сохранён как %3, "
                                        "программа начнёт работу с начальными настройками.")
                             .arg(QDir::toNativeSeparators(path_), reason, QDir::toNativeSeparators(asidePath_));
    StdErr(QStringLiteral("settings file %1 not read (%2); it will be renamed to %3").arg(path_, reason, asidePath_));
    if (std::exchange(toldUnread_, true)) return;
    platform::dialogs().messageBox(QStringLiteral("ZELMOR"), text, MsgIcon::Warning, MbOk);
}

void SettingsHive::parse(const QByteArray &bytes) {
    QString text;
    bool v5 = false;
    if (bytes.startsWith("\xFF\xFE")) {
        text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
        v5 = true;
    } else {
        text = FromCp1251(bytes);
    }
    QStringList lines = text.split(u'\n');
    for (QString &l : lines)
        if (l.endsWith(u'\r')) l.chop(1);

    qsizetype i = 0;
    while (i < lines.size() && lines[i].trimmed().isEmpty()) ++i;
    const QString header = i < lines.size() ? lines[i].trimmed() : QString();
    if (header == kRegedit5) {
        v5 = true;
    } else if (header != kRegedit4 || v5) {
        refuseFile(QStringLiteral("это не файл реестра REGEDIT4"));
        return;
    }
    ++i;

    Key *current = root_.get();
    while (i < lines.size()) {
        // One logical line: hex data runs on over lines ending in "\", each
        // continuation indented as a registry editor writes it. Any other
        // line (a value, a key, a blank) begins anew, whatever the line
        // before ends with.
        QString raw = lines[i];
        QString logical = lines[i];
        ++i;
        while (logical.endsWith(u'\\') && i < lines.size() && !logical.startsWith(u'[') &&
               (lines[i].startsWith(u' ') || lines[i].startsWith(u'\t')) && !lines[i].trimmed().isEmpty()) {
            logical.chop(1);
            logical += lines[i].trimmed();
            raw += QStringLiteral("\r\n") + lines[i];
            ++i;
        }
        if (logical.trimmed().isEmpty()) continue;
        if (logical.startsWith(u'[') && logical.endsWith(u']')) {
            const QString path = logical.mid(1, logical.size() - 2);
            if (SplitKey(path).size() > MaxKeyDepth) {
                refuseFile(QStringLiteral("ключи вложены глубже %1 уровней").arg(MaxKeyDepth));
                return;
            }
            current = find(path, true);
            continue;
        }
        std::optional<QString> name;
        std::optional<HiveValue> value;
        if (logical.startsWith(u'"')) {
            qsizetype j = 0;
            name = ParseQuoted(logical, j);
            if (name && j < logical.size() && logical[j] == u'=') value = ParseData(QStringView(logical).mid(j + 1));
        }
        if (value) {
            current->set(*name, *value);
        } else {
            // Kept verbatim; its name (when it has one) lets a later write
            // of that value replace the line instead of doubling it.
            const QString n = name.value_or(QString());
            if (auto *e = current->entry(n)) e->raw = raw;
            else current->values.push_back({n, HiveValue(), raw});
        }
    }
    if (v5 && aside_ == Aside::None) {
        aside_ = Aside::CopyV5;
        asidePath_ = path_ + QStringLiteral(".v5-") + platform::clock().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
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
    if (auto *e = k->entry(name); e && !e->raw) return e->value;
    return std::nullopt;
}

std::vector<QString> SettingsHive::valueNames(const QString &keyPath) {
    refresh();
    std::vector<QString> out;
    if (Key *k = find(keyPath, false))
        for (const auto &e : k->values)
            if (!e.raw) out.push_back(e.name);
    return out;
}

void SettingsHive::revert() {
    stamp_ = {};
    refresh(); // drop what could not be stored
}

bool SettingsHive::createKey(const QString &keyPath) {
    refresh();
    if (find(keyPath, false)) return true;
    find(keyPath, true);
    if (batch_ > 0) {
        dirty_ = true;
        return true;
    }
    if (save()) return true;
    revert();
    return false;
}

bool SettingsHive::setValue(const QString &keyPath, const QString &name, const HiveValue &v) {
    refresh();
    find(keyPath, true)->set(name, v);
    if (batch_ > 0) {
        dirty_ = true;
        return true;
    }
    if (save()) return true;
    revert();
    return false;
}

void SettingsHive::beginBatch() {
    if (batch_ == 0) {
        refresh();
        dirty_ = false;
    }
    ++batch_;
}

bool SettingsHive::endBatch() {
    if (batch_ == 0) return true;
    if (--batch_ > 0) return true;
    if (!dirty_) return true;
    dirty_ = false;
    if (save()) return true;
    revert();
    return false;
}

QString SettingsHive::exportText() {
    refresh();
    return render();
}

QString SettingsHive::render() const {
    QString out = kRegedit4 + QStringLiteral("\r\n");
    auto writeValues = [&out](const Key &k) {
        for (const auto &e : k.values) {
            if (e.raw) {
                out += *e.raw + QStringLiteral("\r\n");
                continue;
            }
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
    };
    writeValues(*root_); // lines that stood before the first key
    // Depth first, in stored order, without recursion: a deep tree must not
    // exhaust the stack.
    std::vector<std::pair<const Key *, QString>> stack;
    for (auto it = root_->children.rbegin(); it != root_->children.rend(); ++it)
        stack.emplace_back(it->get(), kRootName + u'\\' + (*it)->name);
    while (!stack.empty()) {
        auto [k, path] = std::move(stack.back());
        stack.pop_back();
        out += QStringLiteral("\r\n[") + path + QStringLiteral("]\r\n");
        writeValues(*k);
        for (auto it = k->children.rbegin(); it != k->children.rend(); ++it)
            stack.emplace_back(it->get(), path + u'\\' + (*it)->name);
    }
    return out;
}

bool SettingsHive::fail(const QString &reason) {
    // The program's words first, then the system's reason.
    lastError_ = QStringLiteral("Настройки не сохранены в файл %1: %2").arg(QDir::toNativeSeparators(path_), reason);
    StdErr(lastError_);
    return false;
}

// Before the first rewrite, the file as it was goes aside: a registry
// editor's UTF-16 export is copied (its values are in the hive), a file that
// could not be read is renamed (nothing of it is).
bool SettingsHive::setAside() {
    if (aside_ == Aside::None) return true;
    if (!QFileInfo::exists(path_)) {
        aside_ = Aside::None;
        return true;
    }
    QString target = asidePath_;
    for (int n = 1; QFileInfo::exists(target); ++n) target = asidePath_ + u'-' + QString::number(n);
    const bool ok = aside_ == Aside::CopyV5 ? QFile::copy(path_, target) : QFile::rename(path_, target);
    if (!ok) return fail(QStringLiteral("не удаётся отложить прежний файл как %1").arg(QDir::toNativeSeparators(target)));
    aside_ = Aside::None;
    return true;
}

bool SettingsHive::save() {
    const QString text = render();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (!setAside()) return false;
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) return fail(f.errorString());
    const QByteArray bytes = ToCp1251(text);
    // The buffer is flushed and checked here: commit() alone can report
    // success for a short write and replace the file with a truncated one.
    errno = 0;
    if (f.write(bytes) != bytes.size() || !f.flush() || f.error() != QFileDevice::NoError) {
        const QString why = ErrorText(f, errno);
        f.cancelWriting();
        return fail(why);
    }
    if (!f.commit()) return fail(ErrorText(f, errno));
    lastError_.clear();
    // What is in the file is what is in memory: keep its stamp, no re-read.
    stamp_ = StampOf(path_);
    return true;
}

} // namespace zelmor
