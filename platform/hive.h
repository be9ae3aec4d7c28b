#pragma once
// The settings hive: our stand-in for the Windows registry. A tree of keys
// under HKEY_LOCAL_MACHINE with string and dword values, key and value names
// compared case-insensitively (Latin and Cyrillic alike), the spelling of the
// first writer kept. Stored as a REGEDIT4 export (cp1251), so settings travel
// to and from a Windows registry editor. Every write replaces the file
// atomically; a second hive object on the same file sees every value.
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

    explicit SettingsHive(QString filePath);
    ~SettingsHive();

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
    std::vector<QString> valueNames(const QString &keyPath);

    // The whole hive as REGEDIT4 text (Unicode), as the file holds it.
    QString exportText();

private:
    struct Key;
    void refresh();
    bool save();
    QString render() const;
    Key *find(const QString &keyPath, bool create);

    QString path_;
    std::unique_ptr<Key> root_;
    struct Stamp {
        qint64 size = -1, mtimeNs = 0, inode = 0;
        bool operator==(const Stamp &) const = default;
    } stamp_;
};

} // namespace zelmor
