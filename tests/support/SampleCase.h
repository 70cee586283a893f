#pragma once

#include "ClientCase.h"

// The everyday case of the proposal tests and benchmarks: John Sample, a
// male of 35, preferred no nicotine, in Texas, with the broker "Broker";
// Brellan 20 at 250,000, twenty years shown.
quoravel::ClientCase SampleProposalCase();
