#include "calendar/Ferienland.h"

#include <QStringList>
#include <algorithm>

namespace {

// Alternating full names and abbreviations, in the order every list of states is shown.
constexpr char16_t kStateTable[] =
    u"Baden-Württemberg;BW;Bayern;BY;Brandenburg;BB;Bremen;HB;Hamburg;HH;Hessen;HE;Mecklenburg-Vorpommern;MV;"
    u"Niedersachsen;NI;Nordrhein-Westfalen;NW;Rheinland-Pfalz;RP;Saarland;SL;Sachsen;SN;Sachsen-Anhalt;ST;"
    u"Schleswig-Holstein;SH;Thüringen;TH";

} // namespace

FerienlandList::FerienlandList() {
    const QStringList fields = QString::fromUtf16(kStateTable).split(u';');
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
        states_.push_back(cFerienland{fields[i], fields[i + 1]});
}

cFerienland* FerienlandList::find(QStringView kurzname) {
    const auto it = std::find_if(states_.begin(), states_.end(), [kurzname](const cFerienland& state) {
        return QStringView(state.kurzname).compare(kurzname, Qt::CaseInsensitive) == 0;
    });
    return it == states_.end() ? nullptr : &*it;
}

const cFerienland* FerienlandList::find(QStringView kurzname) const {
    return const_cast<FerienlandList*>(this)->find(kurzname);
}
