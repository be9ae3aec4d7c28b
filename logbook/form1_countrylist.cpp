// The QSO window's country list and the cycle through the countries of an
// ambiguous prefix: the operator's choice of the country the analysis could
// not decide.
#include "logbook/form1.h"

#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/countrylist.h"
#include "logbook/fieldcase.h"
#include "logbook/qsostate.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelmor {

namespace {
constexpr int KeyEnter = 13;
} // namespace

void Tform1::buildCountryPanel() {
    Panel5 = new QFrame(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFrameShape(QFrame::Panel);
    Panel5->hide();
    mpf = new QLineEdit(Panel5);
    mpf->setObjectName(QStringLiteral("mpf"));
    mpf->setMaxLength(CountryRecord::Fields[0].capacity);
    mpf->setPlaceholderText(QStringLiteral("Префикс"));
    mdxcc = new QLineEdit(Panel5);
    mdxcc->setObjectName(QStringLiteral("mdxcc"));
    SetFieldCase(mdxcc, FieldCase::FirstUpper, 34);
    mdxcc->setPlaceholderText(QStringLiteral("Страна"));
    auto *searches = new QHBoxLayout;
    searches->setSpacing(2);
    searches->addWidget(mpf, 1);
    searches->addWidget(mdxcc, 2);
    searches->addWidget(Image19);
    auto *v = new QVBoxLayout(Panel5);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    v->addLayout(searches);
    v->addWidget(strw, 1);

    connect(mpf, &QLineEdit::textChanged, this, &Tform1::mpfChange);
    connect(mdxcc, &QLineEdit::textChanged, this, &Tform1::mdxccChange);
    connect(strw->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &now) {
        if (now.isValid()) strwSelectCell(now.row());
    });
}

void Tform1::selectCountryRow(int row) {
    strw->setRow(row);
    strw->setTopRow(row);
    SelectedCountryRow = row;
}

void Tform1::FindCountryRowByText(const QString &text, int column) {
    const int row = zelmor::FindCountryRowByText(strw->model(), text, column);
    if (row >= 0) selectCountryRow(row);
}

void Tform1::FindCountryRowIncremental(const QString &text, int column) {
    const int row = zelmor::FindCountryRowIncremental(strw->model(), text, column);
    if (row >= 0) selectCountryRow(row);
}

void Tform1::mdxccChange(const QString &text) { FindCountryRowByText(text, CountryListCountryColumn); }

void Tform1::mpfChange(const QString &text) { FindCountryRowIncremental(text, CountryListPrefixColumn); }

void Tform1::strwSelectCell(int row) { SelectedCountryRow = row; }

void Tform1::strwKeyUp(int key) {
    if (key != KeyEnter) return;
    ApplyCountryFromGrid();
    call->setFocus();
}

void Tform1::takeCountry(const CountryRecord &r) {
    TakeCountryValues(r);
    // A region number belongs to the country its table is of: saved with
    // another country it would count for the regions award.
    if (!analysed_.country.isEmpty() && r.country == analysed_.country) {
        DxRegionName = analysed_.regionName;
        DxRegionCode = analysed_.regionCode;
    } else {
        DxRegionName.clear();
        DxRegionCode.clear();
    }
    if (!ParseDecimal(r.time)) DxLocalTime = QStringLiteral("0");
    ComputeStationLocalTime(DxUtcOffset);
    ShowCountryBandChart();
}

void Tform1::ApplyCountryFromGrid() {
    Panel5->hide();
    const int row = SelectedCountryRow;
    const QString prefix = strw->cell(CountryListPrefixColumn, row);
    const QString country = strw->cell(CountryListCountryColumn, row);
    std::optional<CountryRecord> r;
    try {
        if (!country.isEmpty()) r = CountryRecordOfRow(DataPath(QStringLiteral("dx\\world.dat")), prefix, country);
    } catch (const IoError &) {
        ShowMissingFile(QStringLiteral(" World.dat"));
        return;
    }
    if (r) {
        takeCountry(*r);
        return;
    }
    ComputeStationLocalTime(DxUtcOffset);
    ShowCountryBandChart();
}

void Tform1::N33Click() {
    // The candidates of the call shown, and no analysis left to undo the choice.
    FlushPendingAnalysis();
    const int count = CountryCandidates.size();
    if (count > 0) {
        if (CandidateIndex >= count || CandidateIndex < 0) CandidateIndex = 0;
        const CountryRecord r = CountryCandidates.at(CandidateIndex);
        ++CandidateIndex;
        takeCountry(r);
        return;
    }
    Panel5->setVisible(Panel5->isHidden());
    if (Panel5->isHidden()) {
        call->setFocus();
        return;
    }
    strw->setFocus();
    const QString c = call->text();
    if (!c.isEmpty() && !c.contains(u'/')) FindCountryRowIncremental(c, CountryListPrefixColumn);
}

void Tform1::N4Click() {
    FlushPendingAnalysis();
    const QString c = call->text();
    const qsizetype slash = c.indexOf(u'/');
    if (slash < 0) return;
    const QString after = c.mid(slash + 1);
    if (after.isEmpty()) return;
    // Only a part that is a prefix of the list names a country.
    const int row = zelmor::FindCountryRowIncremental(strw->model(), after, CountryListPrefixColumn);
    if (row < 0) return;
    selectCountryRow(row);
    ApplyCountryFromGrid();
}

} // namespace zelmor
