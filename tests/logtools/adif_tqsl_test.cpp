// An outside reader of ADIF as the oracle: TrustedQSL's libtqsllib, loaded at
// run time. Our exports must read back field for field, and on the crafted
// files our reader must see the fields tqsllib sees.
#include "logtools/adif.h"
#include "tests/logtools/adiffixture.h"

#include <QFile>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

// The library sets up OpenSSL when it is loaded and keeps that to the end of
// the process; the leak checker is told so for this test alone.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libcrypto.so\nleak:libtqsllib.so\nleak:libpulse.so.0\n";
}

namespace zelmor::test {
namespace {

// The library's ADIF interface as its documentation describes it.
struct TqslFieldResult {
    char name[65];
    char size[11];
    char type[2];
    unsigned char *data;
    unsigned int adifNameIndex;
    void *userPointer;
};
struct TqslFieldDefinition {
    char name[65];
    char type[2];
    int rangeType; // 0: none
    unsigned int maxLength;
    long minValue, maxValue;
    const char **enumStrings;
    void *userPointer;
};
constexpr int TqslSuccess = 0;
constexpr int TqslEndOfFile = 11;

class Tqsl {
public:
    Tqsl() {
        for (const char *name : {"libtqsllib.so", "libtqsllib.so.1", "/usr/lib/trustedqsl/libtqsllib.so"})
            if ((handle_ = dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
        if (!handle_) return;
        begin_ = reinterpret_cast<decltype(begin_)>(dlsym(handle_, "tqsl_beginADIF"));
        get_ = reinterpret_cast<decltype(get_)>(dlsym(handle_, "tqsl_getADIFField"));
        end_ = reinterpret_cast<decltype(end_)>(dlsym(handle_, "tqsl_endADIF"));
    }
    // Loaded once for the whole run: the library keeps state of its own that
    // does not survive being unloaded and loaded again.
    static Tqsl &library() {
        static Tqsl *tqsl = new Tqsl;
        return *tqsl;
    }
    bool ok() const { return begin_ && get_ && end_; }

    struct Field {
        QByteArray name, value;
        int status;
    };
    // Every tag of the file in order, EOH and EOR included; values for the
    // names asked for.
    std::vector<Field> read(const QString &path, const QSet<QByteArray> &names) {
        std::vector<TqslFieldDefinition> defs(size_t(names.size()) + 1);
        int i = 0;
        for (const QByteArray &n : names) {
            std::memset(&defs[i], 0, sizeof defs[i]);
            std::strncpy(defs[i].name, n.constData(), 64);
            defs[i].maxLength = 1u << 24;
            ++i;
        }
        std::memset(&defs.back(), 0, sizeof defs.back());
        static const char *const types[] = {"A", "B", "C", "D", "E", "G", "I", "L", "M", "N", "P", "S", "T", ""};
        std::vector<Field> out;
        void *adif = nullptr;
        if (begin_(&adif, QFile::encodeName(path).constData()) != 0) return out;
        for (;;) {
            TqslFieldResult r;
            std::memset(&r, 0, sizeof r);
            int status = -1;
            const int rc = get_(adif, &r, &status, defs.data(), types,
                                [](size_t n) { return static_cast<unsigned char *>(std::malloc(n + 1)); });
            if (rc != 0 || status == TqslEndOfFile) {
                std::free(r.data);
                break;
            }
            Field f{QByteArray(r.name).toUpper(), QByteArray(), status};
            if (r.data) f.value = QByteArray(reinterpret_cast<const char *>(r.data), int(std::atoi(r.size)));
            std::free(r.data);
            out.push_back(f);
            if (out.size() > 100000) break;
        }
        end_(&adif);
        return out;
    }

private:
    void *handle_ = nullptr;
    int (*begin_)(void **, const char *) = nullptr;
    int (*get_)(void *, TqslFieldResult *, int *, const TqslFieldDefinition *, const char *const *,
                unsigned char *(*)(size_t)) = nullptr;
    int (*end_)(void **) = nullptr;
};

// Our reader's view of the same file, in the same shape.
std::vector<Tqsl::Field> OurFields(const QByteArray &bytes, QSet<QByteArray> &names) {
    std::vector<Tqsl::Field> out;
    AdifReader reader(bytes);
    const auto add = [&](const AdifField &f) {
        const QByteArray name = f.name.toByteArray().toUpper();
        names.insert(name);
        out.push_back({name, f.value.toByteArray(), TqslSuccess});
    };
    for (const AdifField &f : reader.headerFields()) add(f);
    if (!reader.header().isEmpty() || !reader.headerFields().empty()) out.push_back({"EOH", {}, TqslSuccess});
    std::vector<AdifField> fields;
    while (reader.next(fields)) {
        for (const AdifField &f : fields) add(f);
        out.push_back({"EOR", {}, TqslSuccess});
    }
    return out;
}

void ExpectSameFields(const std::vector<Tqsl::Field> &ours, const std::vector<Tqsl::Field> &theirs, const char *what) {
    ASSERT_EQ(ours.size(), theirs.size()) << what;
    for (size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(theirs[i].name, ours[i].name) << what << " #" << i;
        EXPECT_EQ(theirs[i].value, ours[i].value) << what << " #" << i << " " << ours[i].name.constData();
        const bool tagOnly = ours[i].name == "EOR" || ours[i].name == "EOH";
        if (!tagOnly) {
            EXPECT_EQ(theirs[i].status, TqslSuccess) << what << " #" << i;
        }
    }
}

class AdifTqslTest : public AdifTest {
protected:
    void SetUp() override {
        AdifTest::SetUp();
        if (!Tqsl::library().ok()) GTEST_SKIP() << "libtqsllib (package trustedqsl) is not installed: the oracle was not run";
    }
    Tqsl &tqsl = Tqsl::library();
};

TEST_F(AdifTqslTest, AThousandExportedRecordsReadBackFieldForField) {
    std::vector<QsoRecord> log;
    const char *bands[] = {"136Khz", "1.8 Mhz", "3.6 Mhz", "14  Mhz", "144Mhz", "430Mhz", "1.2 Ghz", "14 Mhz"};
    const char *states[] = {"Не отправлять", "Отправить", "Отправлено", "Получено", "Отпр. и получ.", ""};
    for (int i = 0; i < 1000; ++i) {
        QsoRecord r = LogQso(qPrintable(QStringLiteral("UA%1ABC").arg(i % 10)), "03.04.2005", "12:34", bands[i % 8],
                             i % 3 ? "CW" : "SSB", states[i % 6]);
        r.name = i % 4 ? QStringLiteral("Иван") : QString();
        r.qth = i % 5 ? QStringLiteral("Москва, ул. <Ленина>") : QString();
        r.waz = QString::number(i % 40);
        if (i % 97 == 0) r.deleteMark = DeleteMarkText;
        log.push_back(r);
    }
    WriteLog(path("big.log"), log);
    const AdifExportResult r = ExportAdifFile(path("big.log"), "1", "1000");
    ASSERT_EQ(r.status, AdifExportResult::Done);
    EXPECT_EQ(r.exported, 1000 - 11);
    QSet<QByteArray> names;
    const auto ours = OurFields(ReadBytes(r.outputPath), names);
    const auto theirs = tqsl.read(r.outputPath, names);
    ExpectSameFields(ours, theirs, "export");
    qint64 records = 0;
    for (const auto &f : theirs) records += f.name == "EOR";
    EXPECT_EQ(records, r.exported);
}

TEST_F(AdifTqslTest, OnTheCraftedFilesBothReadersSeeTheSameFields) {
    // utf8_chars.adi is left out on purpose: its writer counted characters,
    // which tqsllib, reading bytes as the standard says, does not follow.
    for (const char *file : {"one_record.adi", "boundaries.adi", "lengths.adi", "utf8_bom.adi", "cp1251.adi", "roundtrip.golden.adi"}) {
        QSet<QByteArray> names;
        const auto ours = OurFields(ReadBytes(Crafted(file)), names);
        ExpectSameFields(ours, tqsl.read(Crafted(file), names), file);
    }
}

} // namespace
} // namespace zelmor::test
