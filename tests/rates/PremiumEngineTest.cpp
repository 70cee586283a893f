// Worked examples: small rate files written by the test with simple rates,
// and premiums worked by hand from them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "InterestIndices.h"
#include "PremiumEngine.h"
#include "RateLayout.h"
#include "Rounding.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

using Values = std::function<double(long record, std::size_t index)>;

void WriteRates(const TempFolder& folder, const std::string& name, RateLayoutKind kind, long records,
                const Values& values) {
    const RateLayout& layout = LayoutOf(kind);
    std::string bytes;
    for (long r = 1; r <= records; ++r) {
        RateRecord record{static_cast<std::int16_t>(r - 1), std::vector<double>(layout.valueCount)};
        for (std::size_t i = 0; i < layout.valueCount; ++i) record.values[i] = values(r, i);
        bytes += EncodeRecord(layout, record);
    }
    folder.Write(name, bytes);
}

// A program folder with every file a TX case of BRN reads.
class WorkedExamples : public ::testing::Test {
protected:
    void SetUp() override {
        // Level rate by class and sex: 500 + 50 × class + 100 × sex, except the cells below.
        auto level = [](long, std::size_t i) {
            const auto cell = i / 5;  // class + 9 × sex
            return 500.0 + 50.0 * static_cast<double>(cell % 9) + 100.0 * static_cast<double>(cell / 9);
        };
        WriteRates(folder, "July08BRNFGHB3.rat", RateLayoutKind::Level5, 100, level);
        WriteRates(folder, "BRNPG.rat", RateLayoutKind::Level5, 100, [](long, std::size_t) { return 300.0; });
        WriteRates(folder, "BRNNLPG.rat", RateLayoutKind::NonLevel, 100,
                   [](long, std::size_t i) { return 400.0 + 10.0 * static_cast<double>(i % 15); });
        WriteRates(folder, "brellan1.rat", RateLayoutKind::OneYear, 1440,
                   [](long, std::size_t i) { return 101.0 + static_cast<double>(i); });
        // Guaranteed yearly-renewable rate of attained age a: 1,000 + 100 × a (record a + 1).
        WriteRates(folder, "Jan07GuarYRT.rat", RateLayoutKind::GuaranteedYrt, 101,
                   [](long r, std::size_t) { return 1000.0 + 100.0 * static_cast<double>(r - 1); });
        WriteRates(folder, "BRNwvr.rat", RateLayoutKind::Waiver, 100, [](long, std::size_t) { return 40.0; });
        WriteRates(folder, "yrt.rat", RateLayoutKind::YrtWaiver, 101, [](long, std::size_t) { return 30.0; });
    }

    ClientCase Client(std::int16_t age, bool male, int classCode, std::int32_t product, std::int32_t face) {
        ClientCase c;
        c.SetState("TX");
        c.SetAge(age);
        c.SetIsMale(male);
        c.SetClassification(classCode);
        c.SetTableRating("None");
        c.Proposal().AddProduct(product);
        c.Proposal().AddFaceAmount(face, "TX");
        return c;
    }

    PremiumSchedule Schedule(const ClientCase& c) {
        RateContext context{folder.folder(), run};
        return ComputePremiumSchedule(context, c, c.Proposal().ProdChoices()[0], 0);
    }

    TempFolder folder;
    ProcessValues process;
    ProposalRun run{process, folder.folder()};
};

}  // namespace

TEST(Rounding, HalfAwayFromZeroOnTheDecimalForm) {
    const std::tuple<int, double, double> rows[] = {{2, 1.005, 1.01},   {2, 2.675, 2.68},
                                                    {0, 0.5, 1.0},      {0, -0.5, -1.0},
                                                    {2, -1.005, -1.01}, {5, 1234.567891234, 1234.56789}};
    for (const auto& [digits, amount, expected] : rows) EXPECT_EQ(round(digits, amount), expected) << amount;
    EXPECT_EQ(FormatAmount(1234567.891, 2) + "|" + FormatAmount(-1234.005, 2) + "|" + FormatAmount(999.5, 0) +
                  "|" + FormatAmount(100000, 0),
              "1,234,567.89|-1,234.01|1,000|100,000");
    // However large, an amount is never cut short: 10^70 has 71 digits.
    std::string huge = FormatAmount(1e70, 0);
    std::erase(huge, ',');
    EXPECT_EQ(huge.size(), 71U) << huge;
    // Amounts of k thousandths, whose decimal form is exact: the reference is
    // whole-number rounding of k, half away from zero.
    std::uint64_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::uint64_t k = seed >> 40;  // below 2^24: amounts up to 16,777.215
        const double amount = static_cast<double>(k) / 1000.0;
        ASSERT_EQ(round(0, amount), static_cast<double>((k + 500) / 1000)) << amount;
        ASSERT_EQ(round(2, amount), static_cast<double>((k + 5) / 10) / 100.0) << amount;
        ASSERT_EQ(round(5, amount), amount);
    }
}

TEST_F(WorkedExamples, LevelAndOneYearProductsThenYearlyRenewable) {
    // Brellan 10, male 45, standard non-nicotine (class 4), 250,000 in TX: band 3.
    const auto s = Schedule(Client(45, true, 4, 2, 250000));
    ASSERT_EQ(s.years.size(), 56u);            // years 1..56, to age 100
    EXPECT_EQ(s.years[0].Total(), 1800.00);    // 250,000 × 700 × 0.00001 + 50
    EXPECT_EQ(s.years[9].Total(), 1800.00);    // level for 10 years
    EXPECT_EQ(s.years[10].Total(), 16300.00);  // attained 55: 6,500 → 16,250 + 50
    EXPECT_EQ(s.years[55].Total(), 27550.00);  // attained 100: 11,000 → 27,500 + 50
    EXPECT_EQ(run.Errors.Count(), 0);

    // Brellan 1, male 30, select non-nicotine: one-year rates 101..111, then yearly renewable.
    const auto one = Schedule(Client(30, true, 3, 6, 500000));
    EXPECT_EQ(one.years[0].Total(), 555.00);     // 500,000 × 101 × 0.00001 + 50
    EXPECT_EQ(one.years[9].Total(), 600.00);     // 110
    EXPECT_EQ(one.years[10].Total(), 25050.00);  // attained 40 from the yearly-renewable file: 5,000
}

TEST_F(WorkedExamples, OstrelNonLevelYears) {
    // Ostrel 20 • 10 Guarantees (37, priced as 32): level 10 years, non-level to year 20.
    ClientCase c = Client(40, false, 2, 37, 100000);
    RateContext context{folder.folder(), run};
    ProductInfo product;
    product.FillProduct(37, 40, false);
    RateMatrix matrix;
    FillRateMatrix(context, matrix, c, product, false, 0, 2, 0);
    EXPECT_EQ(product.ProductNumber, 32);
    // Level 300 to year 10; the first and the tenth non-level durations; attained 60 yearly renewable.
    EXPECT_EQ((std::vector<double>{matrix.At(0, 0), matrix.At(9, 0), matrix.At(10, 0), matrix.At(19, 0),
                                   matrix.At(20, 0)}),
              (std::vector<double>{300, 300, 400, 490, 1000 + 100 * 60}));
    EXPECT_EQ(PremiumOfYear(c, 37, 100000, matrix.At(19, 0), 0, 19, 50).Total(), 540.00);
}

TEST_F(WorkedExamples, RatedCaseWithFlatExtrasChildRiderAndRatedWaiver) {
    ClientCase c = Client(45, true, 7, 2, 250000);
    c.SetTableRating("B");
    c.SetPermFlatExtra(2.5);
    c.SetTempFlatExtra(5);
    c.SetTempFlatExtraYears(3);
    c.SetChildRider(true);
    c.SetChildRiderUnits(4);
    c.SetWaiver(true);
    c.SetWaiverRating(1.5);
    const auto s = Schedule(c);
    const YearPremium& first = s.years[0];
    EXPECT_EQ(first.base, 2175.00);           // class 7 rate 850: 2,125 + 50
    EXPECT_EQ(first.tableExtra, 1062.50);     // (2,175 − 50) × 0.5
    EXPECT_EQ(first.permFlatExtra, 625.00);   // 250 × 2.50
    EXPECT_EQ(first.tempFlatExtra, 1250.00);  // 250 × 5.00 in years 1-3
    EXPECT_EQ(first.childRider, 22.00);       // 4 × 5.50
    EXPECT_EQ(first.waiver, 151.08);  // 250,000 × round(1.5 × 40) × 0.00001 + 4 × round(0.18 × 1.5)
    EXPECT_EQ(first.Total(), 5285.58);
    EXPECT_EQ(s.years[3].Total(), 4035.58);    // the temporary extra has ended
    EXPECT_EQ(s.years[10].Total(), 25185.58);  // yearly renewable; waiver 112.50 + 1.08
    EXPECT_EQ(s.years[15].waiver, 0);          // past age 60
    EXPECT_EQ(s.years[20].childRider, 0);      // past age 65
    // Tessel 10 (12) offers no child rider: neither its premium nor its waiver is charged.
    const YearPremium tessel = PremiumOfYear(c, 12, 250000, 850, 40, 0, 60);
    EXPECT_EQ(tessel.childRider, 0);
    EXPECT_EQ(tessel.waiver, 150.00);  // 250,000 × round(1.5 × 40) × 0.00001
    c.SetChildRider(false);            // units left on a case whose rider was removed
    EXPECT_EQ(Schedule(c).years[0].childRider, 0);
    const auto modal = FirstYearModalPremiums(first.Total());
    EXPECT_EQ((std::vector<double>{modal.semiAnnual, modal.quarterly, modal.specialMonthly}),
              (std::vector<double>{2695.65, 1374.25, 462.49}));
}

TEST_F(WorkedExamples, MissingAndDamagedRateFiles) {
    const auto level = [&](Values values) {
        return [&, values] { WriteRates(folder, "July08BRNFGHB3.rat", RateLayoutKind::Level5, 100, values); };
    };
    const std::tuple<const char*, std::function<void()>, const char*> rows[] = {
        {"missing level file", [&] { std::filesystem::remove(folder.path() / "July08BRNFGHB3.rat"); },
         "3|53|RateStuf|ReadStandardTermRates"},
        {"truncated level file",
         [&] { std::filesystem::resize_file(folder.path() / "July08BRNFGHB3.rat", 722 * 20); },
         "2|1|RateStuf|ReadStandardTermRates"},
        // A value that is no rate is a damaged file, never a price.
        {"negative rate", level([](long, std::size_t) { return -5.0; }),
         "3|321|RateStuf|ReadStandardTermRates"},
        {"not a number",
         [&] {
             WriteRates(folder, "Jan07GuarYRT.rat", RateLayoutKind::GuaranteedYrt, 101,
                        [](long, std::size_t) { return std::nan(""); });
         },
         "3|321|RateStuf|ReadYRTRates"},
        // A level rate above the face amount a year: 1,500 and 9,999.99 per 1,000.
        {"above the face a year",
         level([](long record, std::size_t) { return record % 2 ? 150'000.0 : 999'999.0; }),
         "3|321|RateStuf|ReadStandardTermRates"},
        {"far beyond any rate", level([](long, std::size_t) { return 1e300; }),
         "3|321|RateStuf|ReadStandardTermRates"},
    };
    for (const auto& [what, damage, expected] : rows) {
        SCOPED_TRACE(what);
        SetUp();
        run.Errors.Clear();
        damage();
        const auto s = Schedule(Client(45, true, 4, 2, 250000));
        ASSERT_EQ(run.Errors.Count(), 1);
        const LoggedError& e = run.Errors.Item(1);
        EXPECT_EQ(std::to_string(e.Severity) + "|" + std::to_string(e.Number) + "|" + e.ModuleName + "|" +
                      e.RoutineName,
                  expected);
        EXPECT_EQ(s.years.size(), 56u);  // the schedule still comes back
    }
    EXPECT_EQ(run.Errors.Item(1).Description,
              "The rate file " + folder.folder() +
                  "July08BRNFGHB3.rat is damaged: record 46 holds 1e+300 where a rate "
                  "belongs.");
}

TEST_F(WorkedExamples, EdgesOfAgeProductAndFace) {
    EXPECT_EQ(Schedule(Client(80, true, 4, 1, 250000)).years.size(), 21u);
    EXPECT_EQ(Schedule(Client(100, true, 4, 1, 250000)).years.size(), 1u);
    run.Errors.Clear();
    Schedule(Client(45, true, 4, 50, 250000));  // no such product: never priced
    EXPECT_EQ(run.Errors.Item(1).Description, "Rate file missing.");
    const std::pair<std::int32_t, int> bands[] = {{99999, 1},   {100000, 2},  {249999, 2},
                                                  {250000, 3},  {999999, 3},  {1000000, 4},
                                                  {4999999, 4}, {5000000, 5}, {0, 1}};
    for (auto [face, band] : bands) EXPECT_EQ(FaceBand(face), band) << face;
    EXPECT_EQ(BandedFileName(2, "wa", true, 100000), "June07BRNFGHB2.rat");
    EXPECT_EQ(BandedFileName(2, "OR", true, 100000), "Feb07LVLPDBRNFGHB2.rat");
    EXPECT_EQ(BandedFileName(27, "NJ", false, 100000), "July08QNBTermHB2.rat");
    EXPECT_EQ(OneYearRecord(40, 3, 1), 41 + 90 * 9);  // a woman of class 3
}

TEST(InterpRates, StraightLineInWholeCents) {
    ProcessValues process;
    ProposalRun run(process, "");
    RateContext context{"", run};
    RateVector rates(20, 100.0);
    for (int i = 10; i <= 13; ++i) rates[static_cast<std::size_t>(i)] = 0;  // years 11-14 missing
    rates[14] = 133;
    InterpRates(context, rates);
    EXPECT_EQ(std::vector<double>(rates.begin() + 9, rates.begin() + 15),
              (std::vector<double>{100, 107, 113, 120, 126, 133}));  // steps of 6.6
}

TEST(InterestIndices, LevelPremiumAndMarylandCashValue) {
    ProductInfo product;
    product.FillProduct(5, 40, false);
    const std::vector<double> premiums(30, 1400.0);
    const auto tx = ComputeInterestIndices(premiums, 250000, 40, "TX", product);
    EXPECT_EQ(tx.tenYear.netPayment, 5.60);  // 1,400 per 250 thousands
    EXPECT_EQ(tx.tenYear.surrenderCost, 5.60);
    EXPECT_EQ(tx.twentyYear.years, 20);
    const auto md = ComputeInterestIndices(premiums, 250000, 85, "MD", product);
    EXPECT_EQ(md.twentyYear.years, 13);  // 98 − 85
    EXPECT_LT(ComputeInterestIndices(premiums, 250000, 40, "MD", product).tenYear.surrenderCost, 5.60);
}
