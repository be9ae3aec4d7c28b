#pragma once
// The settings hive: our stand-in for the Windows registry. A tree of keys
// under HKEY_LOCAL_MACHINE with string and dword values, key and value names
// compared case-insensitively (Latin and Cyrillic alike), the spelling of the
// first writer kept. Stored as a REGEDIT4 export (cp1251), so settings travel
// to and from a Windows registry editor. Every write replaces the file
// atomically; a second hive object on the same file sees every value.
//
// What it cannot use it keeps: lines it does not parse (binary, expandable
// and multi-string values, a default value, a malformed dword) stay verbatim
// in their key and are written back as they were read. A UTF-16 export of a
// current registry editor is read with the same syntax and copied aside
// before it is first rewritten as REGEDIT4; a file that is neither, or one
// with keys nested deeper than a registry allows, is renamed aside before
// any write, so the start that follows it loses nothing.
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace zelmor {

enum class HiveKind { String, Dword };

struct HiveValue {
    HiveKind kind = HiveKind::String;
    QString text;      // for String
    qint32 number = 0; // for Dword
    static HiveValue string(const QString &s) { return {HiveKind::String, s, 0}; }
    static HiveValue dword(qint32 n) { return {HiveKind::Dword, QString(), n}; }
};

class SettingsHive {
public:
    // The file of the user's settings: $ZELMOR_REGISTRY, else
    // $XDG_CONFIG_HOME/zelmor/registry.reg (~/.config/zelmor/registry.reg).
    static QString DefaultPath();
    // The Windows registry's own limit on nested keys.
    static constexpr int MaxKeyDepth = 512;

    explicit SettingsHive(QString filePath);
    ~SettingsHive();
    SettingsHive(const SettingsHive &) = delete;
    SettingsHive &operator=(const SettingsHive &) = delete;

    const QString &filePath() const { return path_; }

    // Key paths below HKEY_LOCAL_MACHINE, "\"-separated ("Software\zelmor\qso");
    // a trailing backslash names the same key.
    bool keyExists(const QString &keyPath);
    std::optional<HiveValue> value(const QString &keyPath, const QString &name);
    // Creates the key and its parents. False when the hive cannot be written;
    // nothing is created then.
    bool createKey(const QString &keyPath);
    bool setValue(const QString &keyPath, const QString &name, const HiveValue &v);
    // Names of the values of a key, in stored order (for tests and tools).
    // Lines kept verbatim are not values and are not listed.
    std::vector<QString> valueNames(const QString &keyPath);

    // The whole hive as REGEDIT4 text (Unicode), as the file holds it.
    QString exportText();

    // Writes between beginBatch and the matching endBatch change the hive in
    // memory and are saved once, at the outermost end (a first start creates
    // hundreds of values; one save each would take most of a second). The
    // file is not re-read inside a batch. endBatch returns false when that
    // save failed; the hive then holds what the file holds.
    void beginBatch();
    bool endBatch();
    class Batch {
    public:
        explicit Batch(SettingsHive *hive) : hive_(hive) {
            if (hive_) hive_->beginBatch();
        }
        ~Batch() {
            if (hive_) hive_->endBatch();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        SettingsHive *hive_;
    };

    // True when the file or its folder cannot be written: values read stay
    // usable, changes are not kept. The notice says so in the operator's
    // words (empty when writable); the hive has put it on stderr once.
    bool readOnly() const { return !readOnlyNotice_.isEmpty(); }
    const QString &readOnlyNotice() const { return readOnlyNotice_; }
    // What the last failed save tells the operator: the program's words,
    // then the system's reason. Empty after a good save.
    const QString &lastError() const { return lastError_; }

private:
    struct Key;
    enum class Aside { None, CopyV5, RenameUnread };
    void refresh();
    void parse(const QByteArray &bytes);
    void refuseFile(const QString &reason);
    bool save();
    bool setAside();
    bool fail(const QString &reason);
    void revert();
    QString render() const;
    Key *find(const QString &keyPath, bool create);
    void checkWritable();

    QString path_;
    std::unique_ptr<Key> root_;
    struct Stamp {
        qint64 size = -1, mtimeNs = 0, inode = 0;
        bool operator==(const Stamp &) const = default;
    } stamp_;
    static Stamp StampOf(const QString &path);
    int batch_ = 0;
    bool dirty_ = false;
    Aside aside_ = Aside::None;
    QString asidePath_;
    bool toldUnread_ = false;
    QString readOnlyNotice_;
    QString lastError_;
};

} // namespace zelmor
