#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ClientCase.h"
#include "ProductInfo.h"
#include "ProposalRun.h"
#include "RateLayout.h"

namespace quoravel {

// Annual rates in cents per 1,000 of face amount, indexed by policy year − 1
// from issue to age 100.
using RateVector = std::vector<double>;

// What every rate reader needs besides its arguments: the folder of the rate
// files, and the run for the rate scale and the error log. The files read
// stay open for the context's life.
struct RateContext {
    std::string programFolder;
    ProposalRun& run;
    RateFiles files = {};
};

// Each reader reads its files through the context, which opens each once,
// and fills only the entries it names. A rate that is zero, negative or not a number is stored
// as 0 and reported once per call as "Rate file missing." (number 1) in the
// error log; a file that cannot be opened is reported through ProcessError
// and the reader returns with what it filled.

// Products 6 and 15: the one-year file's rates for policy years 1..11.
void ReadBrellan1Rates(RateContext& context, RateVector& rates, const ClientCase& client,
                       ProductInfo& product, int classCode);

// The level period from `start` on, and for the Ostrel products the
// non-level years up to the end of the guarantee period (interpolated
// schedule when `interpolation` is 1).
void ReadStandardTermRates(RateContext& context, RateVector& rates, const ClientCase& client,
                           ProductInfo& product, int classCode, int start, int interpolation,
                           const IllustrationOptions& options, std::size_t faceIndex);

// The select-period products: select rates for the select years, then the
// level period and the yearly-renewable years after them. The custom classes
// are priced as their standard classes.
void ReadSelectRates(RateContext& context, RateVector& rates, const ClientCase& client, ProductInfo& product,
                     int classCode, const IllustrationOptions& options, std::size_t faceIndex);

// Guaranteed yearly-renewable rates of the attained age for every year after
// the guarantee period.
void ReadYRTRates(RateContext& context, RateVector& rates, const ClientCase& client, ProductInfo& product,
                  int classCode, int start);

// Waiver rates: the level rate of the issue age for the guarantee period
// (after the select years of `selectSource`), then the yearly-renewable
// waiver rates of the attained age.
void ReadWaiverRates(RateContext& context, RateVector& rates, const ClientCase& client, ProductInfo& product,
                     ProductInfo* selectSource = nullptr);

// Fills a run of zero years after the first rate by straight-line steps
// between its neighbours, in whole cents.
void InterpRates(RateContext& context, RateVector& rates);

// The guaranteed cash value per 1,000 at the end of a policy year, for the
// 30-year products in NJ and MD; 0 otherwise.
double Get_GCVInYear(ProductInfo& product, const std::string& state, int policyYear);

}  // namespace quoravel
