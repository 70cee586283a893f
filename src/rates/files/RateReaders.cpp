#include "RateReaders.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ProductCatalogue.h"
#include "ProductLookups.h"
#include "RateLayout.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "RateStuf";

// The New York company's yearly-renewable rates for NJ clients beyond age 70,
// by class group (preferred non-nicotine, standard non-nicotine, nicotine)
// and two-year band of attained age from 71 to 104; the Quenby products never
// charge more than the last band of the client's group.
constexpr int kNjBands = 17;
constexpr std::array<std::array<double, kNjBands>, 3> kNjYrtRates{{
    {4061, 4849, 5789, 6909, 8239, 9815, 11679, 13875, 16452, 19460, 22952, 26976, 31574, 36774, 42583, 48976,
     55887},
    {5802, 6928, 8271, 9869, 11769, 14022, 16685, 19822, 23503, 27801, 32789, 38537, 45106, 52535, 60833,
     69965, 79839},
    {11603, 13855, 16541, 19739, 23539, 28044, 33369, 39644, 47006, 55601, 65578, 77075, 90212, 105069,
     121665, 139931, 159678},
}};
// The prior scale charged a little more in NJ.
constexpr double kNjPriorScaleFactor = 1.03;

// Guaranteed cash values per 1,000 of the 30-year products in NJ and MD by policy year.
constexpr std::array<double, 30> kGuaranteedCashValues{0,  0,  0,  0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
                                                       10, 10, 10, 9, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0};

int NjClassGroup(int classCode) {
    if (IsNicotineClass(classCode)) return 2;
    return classCode == 4 || classCode == 7 ? 1 : 0;
}

bool IsThirtyYearProduct(std::int32_t product) { return OfferOf(product).guaranteePeriod == 30; }

// One reader call: stores rates, remembers a missing one, and reports it
// once at the end; a run-time error goes to ProcessError.
class ReaderCall {
public:
    ReaderCall(RateContext& context, RateVector& rates, const char* routine)
        : context_(context), rates_(rates), routine_(routine) {}

    void Store(long index, double rate) {
        if (index < 0 || index >= static_cast<long>(rates_.size())) return;
        if (!(rate > 0) || !std::isfinite(rate)) {
            missing_ = true;
            rate = 0;
        }
        rates_[static_cast<std::size_t>(index)] = rate;
    }
    void Missing() { missing_ = true; }
    std::string Path(const std::string& fileName) const { return context_.programFolder + fileName; }
    RateFile& File(const std::string& fileName, const RateLayout& layout) {
        return context_.files.Open(Path(fileName), layout);
    }

    template <typename Body>
    void Run(Body body) {
        try {
            body();
        } catch (const std::exception& error) {
            context_.run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, routine_);
        }
        if (missing_) context_.run.Errors.Add(LoggedError::Error, "Rate file missing.", 1, kModule, routine_);
    }

private:
    RateContext& context_;
    RateVector& rates_;
    const char* routine_;
    bool missing_ = false;
};

int SexCode(const ClientCase& client) { return client.sex(false) == 1 ? 1 : 0; }

}  // namespace

void ReadBrellan1Rates(RateContext& context, RateVector& rates, const ClientCase& client,
                       ProductInfo& product, int classCode) {
    ReaderCall call(context, rates, "ReadBrellan1Rates");
    call.Run([&] {
        RateFile& file = call.File("brellan1.rat", LayoutOf(RateLayoutKind::OneYear));
        const long record = OneYearRecord(client.Age(), classCode, SexCode(client));
        // The record's eleven rates fill policy years 1 to 11; the yearly-renewable
        // rates then replace year 11, the first year after the ten-year guarantee.
        const int last = product.GuarenteePeriod(client.Age(), client.State());
        for (int year = 0; year <= last && year < 11; ++year) call.Store(year, file.Rate(record, year));
    });
}

void ReadStandardTermRates(RateContext& context, RateVector& rates, const ClientCase& client,
                           ProductInfo& product, int classCode, int start, int interpolation,
                           const IllustrationOptions& options, std::size_t faceIndex) {
    ReaderCall call(context, rates, "ReadStandardTermRates");
    call.Run([&] {
        const int age = client.Age();
        const int sex = SexCode(client);
        const int level = product.LevelPeriod(static_cast<std::int16_t>(age), 0, client.State());
        const int guarantee = product.GuarenteePeriod(static_cast<std::int16_t>(age), client.State());
        const std::int32_t number = product.ProductNumber;
        const bool ostrel = OfferOf(number).rates == RateSource::Ostrel;
        const bool threeProducts = UsesThreeProductLayout(number);
        const int columns = threeProducts ? 3 : 5;
        const auto column = product.RateColumn();
        if (!column || *column >= columns) {
            call.Missing();
            return;
        }
        const long record = age + 1 + start;

        const std::string levelFile = ostrel
                                          ? "BRNPG.rat"
                                          : BandedFileName(number, client.State(), context.run.UsePriorRates,
                                                           options.GetFaceAmount(faceIndex));
        RateFile& file =
            call.File(levelFile, LayoutOf(threeProducts ? RateLayoutKind::Level3 : RateLayoutKind::Level5));
        const double levelRate = file.Rate(record, LevelIndex(*column, classCode, sex, columns));
        for (int year = start; year < start + level; ++year) call.Store(year, levelRate);
        if (!ostrel) return;

        // The Ostrel products: the years between the level period and the end
        // of the guarantee, from the non-level or the interpolated schedule.
        if (interpolation == 1 && number <= 33) {
            RateFile& schedule = call.File("BRNPGInterp.rat", LayoutOf(RateLayoutKind::Interpolated));
            const long scheduleRecord = InterpolatedRecord(age, classCode, sex);
            for (int year = level; year < guarantee && year < kInterpolatedYears; ++year) {
                call.Store(year, schedule.Rate(scheduleRecord, InterpolatedIndex(year + 1, *column)));
            }
        } else {
            RateFile& nonLevel = call.File("BRNNLPG.rat", LayoutOf(RateLayoutKind::NonLevel));
            for (int year = level; year < guarantee && year - level < kNonLevelDurations; ++year) {
                call.Store(year, nonLevel.Rate(record, NonLevelIndex(year - level, *column, classCode, sex)));
            }
        }
    });
}

void ReadSelectRates(RateContext& context, RateVector& rates, const ClientCase& client, ProductInfo& product,
                     int classCode, const IllustrationOptions& options, std::size_t faceIndex) {
    // Select rates exist for the standard classes only.
    const int selectClass = classCode == 7 ? 4 : classCode == 8 ? 6 : classCode;
    const int selectYears = product.SelectYears();
    ReaderCall call(context, rates, "ReadSelectRates");
    call.Run([&] {
        const auto column = product.RateColumn();
        if (!column || *column >= 5) {
            call.Missing();
            return;
        }
        RateFile& file = call.File("BRNsel.rat", LayoutOf(RateLayoutKind::Level5));
        for (int year = 0; year < selectYears; ++year) {
            call.Store(year, file.Rate(client.Age() + 1 + year,
                                       LevelIndex(*column, selectClass, SexCode(client), 5)));
        }
    });
    ReadStandardTermRates(context, rates, client, product, selectClass, selectYears, 0, options, faceIndex);
    ReadYRTRates(context, rates, client, product, selectClass, selectYears);
}

void ReadYRTRates(RateContext& context, RateVector& rates, const ClientCase& client, ProductInfo& product,
                  int classCode, int start) {
    ReaderCall call(context, rates, "ReadYRTRates");
    call.Run([&] {
        const int age = client.Age();
        const std::int32_t company = client.Proposal().Company();
        const std::string state = client.State();
        const bool njCompany = company == 1 && state == "NJ";
        const bool quenby = OfferOf(product.ProductNumber).family == ProductFamily::IncreasingPremium;
        const int group = NjClassGroup(classCode);
        const double njScale = context.run.UsePriorRates ? kNjPriorScaleFactor : 1.0;
        const std::string fileName =
            state == "WA" && company != 1 ? "Jan07WAGuarYRT.rat" : "Jan07GuarYRT.rat";
        RateFile& file = call.File(fileName, LayoutOf(RateLayoutKind::GuaranteedYrt));
        const std::size_t index = GuaranteedYrtIndex(IsNicotineClass(classCode), SexCode(client) == 1);

        const int first = start + product.GuarenteePeriod(static_cast<std::int16_t>(age + start), state);
        for (long year = first; year < static_cast<long>(rates.size()); ++year) {
            const long attainedAge = age + year;
            double rate = file.Rate(attainedAge + 1, index);
            if (njCompany && attainedAge + 1 > 70) {
                const long band = std::min<long>((attainedAge + 1 - 71) / 2, kNjBands - 1);
                rate = kNjYrtRates[static_cast<std::size_t>(group)][static_cast<std::size_t>(band)] * njScale;
            }
            if (quenby) rate = std::min(rate, kNjYrtRates[static_cast<std::size_t>(group)].back() * njScale);
            call.Store(year, rate);
        }
    });
}

void ReadWaiverRates(RateContext& context, RateVector& rates, const ClientCase& client, ProductInfo& product,
                     ProductInfo* selectSource) {
    ReaderCall call(context, rates, "ReadWaiverRates");
    call.Run([&] {
        const int age = client.Age();
        const auto column = product.RateColumn();
        const int selectYears = selectSource ? selectSource->SelectYears() : 0;
        const int levelYears =
            selectYears + product.GuarenteePeriod(static_cast<std::int16_t>(age), client.State());
        const std::string fileName = client.Proposal().Company() == 1 ? "QNBwvr.rat" : "BRNwvr.rat";
        RateFile& waiver = call.File(fileName, LayoutOf(RateLayoutKind::Waiver));
        const double levelRate = column ? waiver.Rate(age + 1, static_cast<std::size_t>(*column)) : 0.0;
        for (long year = 0; year < levelYears; ++year) call.Store(year, levelRate);

        RateFile& yrt = call.File("yrt.rat", LayoutOf(RateLayoutKind::YrtWaiver));
        const std::size_t index = YrtWaiverIndex(client.Classification(), SexCode(client));
        for (long year = levelYears; year < static_cast<long>(rates.size()); ++year) {
            call.Store(year, yrt.Rate(age + year + 1, index));
        }
    });
}

void InterpRates(RateContext& context, RateVector& rates) {
    try {
        std::size_t a = 1;
        while (a < rates.size() && rates[a] != 0) ++a;
        std::size_t b = a;
        while (b < rates.size() && rates[b] == 0) ++b;
        if (a >= rates.size() || b >= rates.size()) return;
        const double from = rates[a - 1];
        const double step = (rates[b] - from) / static_cast<double>(b - a + 1);
        for (std::size_t i = a, k = 1; i <= b; ++i, ++k)
            rates[i] = round(0, from + static_cast<double>(k) * step);
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "InterpRates");
    }
}

double Get_GCVInYear(ProductInfo& product, const std::string& state, int policyYear) {
    const std::string upper = ToUpper(state);
    if (!IsThirtyYearProduct(product.ProductNumber) || (upper != "NJ" && upper != "MD")) return 0;
    if (policyYear < 1 || policyYear > static_cast<int>(kGuaranteedCashValues.size())) return 0;
    return kGuaranteedCashValues[static_cast<std::size_t>(policyYear - 1)];
}

}  // namespace quoravel
