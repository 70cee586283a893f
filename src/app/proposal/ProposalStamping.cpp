#include "ProposalStamping.h"

#include <QDate>

#include "CaseFile.h"
#include "CaseStamp.h"
#include "ProposalAssembly.h"

namespace quoravel {

ProposalStamp MakeStamp(const ProcessValues& process, std::string rateSet, ProposalStamp::CaseKind kind,
                        std::string caseText, const PricedCase& priced) {
    ProposalStamp stamp;
    stamp.version = process.VersionText;
    stamp.rateSet = std::move(rateSet);
    stamp.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    stamp.kind = kind;
    stamp.caseText = std::move(caseText);
    stamp.premiums = PrintedPremiums(priced);
    return stamp;
}

void AttachStamp(PrintSurface& surface, const ProposalStamp& stamp) {
    DocumentInfo info = surface.GetDocument().info;
    info.metadata = StampXmp(stamp);
    surface.SetDocumentInfo(std::move(info));
}

std::string CaseRecordOf(const ClientCase& client) {
    Collection<ClientCase> one;
    one.Add(client);
    return FormatCases(one, false);
}

}  // namespace quoravel
