#include "ProposalPipeline.h"

#include "ProposalStamping.h"

namespace quoravel {

MadeProposal MakeProposal(ProposalRun& run, const ProposalInputs& inputs, PrintSurface& surface) {
    MadeProposal made;
    const IllustrationOptions& options = inputs.client.Proposal();
    if (options.ProductCount() == 0 || options.FaceAmountCount() == 0) {
        made.nothingToPropose = true;
        return made;
    }
    made.priced = CasePricer(run.ProgramFolder()).Price(inputs.client, run);
    if (made.priced.Refusal().empty() && inputs.accepted && !inputs.accepted(made.priced)) return made;
    made.pages = CreateIllustration(surface, made.priced, inputs.commission, run);
    if (!made.pages.documentMade) return made;
    // Stamped once laid out, with the premiums the pages printed.
    run.Stamp = MakeStamp(run.process, inputs.rateSet(), inputs.kind, inputs.caseText(), made.priced);
    AttachStamp(surface, *run.Stamp);
    return made;
}

}  // namespace quoravel
