// ProposalAssembly
