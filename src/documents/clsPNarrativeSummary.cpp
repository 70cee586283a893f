// clsPNarrativeSummary
