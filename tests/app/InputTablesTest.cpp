// Every coded value a relay case carries, priced: each row of the relay's
// conversion tables (table ratings, classes, carriers, waiver ratings) and
// the child rider's units, against a first-year premium worked by hand from
// the sample rate tables (quoravel-ratetool --dump) and the premium rules.
// The payment modes change only what is paid each time: their codes are read
// with the other relay keys, their factors stated on the description of terms.
//
// The case: Texas, Brellan 20 (rate column 3), a man of 45, $250,000 (face
// band 3, July08BRNFGHB3.rat). Its level rate per $1,000 in cents, by class
// (row 45, column 3 + 5 × class): SP 609, P 686, QN 782, N 973, PS 1626,
// S 1899, "5" 1161, "8" 2258. Base premium = 250 × rate / 100 + the $50 fee.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CasePricer.h"
#include "RelayExchange.h"
#include "TestSupport.h"

namespace quoravel {
namespace {

struct Row {
    const char* key;
    const char* value;
    double firstYear;  // the first policy year's annual premium
    const char* worked;
};

// A relay case of the base case with keys changed, read and priced as a
// relay run reads and prices it; the first line's first year.
class InputTables : public ::testing::Test {
protected:
    using Keys = std::map<std::string, std::string>;

    double FirstYear(const Keys& changed) {
        Keys keys{{"comp_Code", "BRLN"},     {"Insured.Age", "45"},  {"Insured.Sex", "M"},
                  {"Insured.State", "TX"},   {"Insured.Class", "N"}, {"Policy.FaceAmount", "250000"},
                  {"BRLN.Product", "BRLN20"}};
        for (const auto& [key, value] : changed) keys[key] = value;
        std::string ini = "[Identifiers]\r\n";
        for (const auto& [key, value] : keys) ini += key + "=" + value + "\r\n";
        folder.Write("relay.ini", ini);
        ProcessValues process;
        process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
        ProposalRun run(process, folder.folder());
        const auto client = ReadRelayFile(folder.folder(), "relay.ini", run);
        EXPECT_EQ(run.Errors.Status(), 0) << ini;
        const PricedCase priced = CasePricer(QUORAVEL_PROGRAM_DIR).Price(*client, run);
        if (priced.lines.empty() || !priced.lines.front().Priced()) {
            ADD_FAILURE() << ini << " not priced: "
                          << (priced.lines.empty() ? priced.Refusal() : priced.lines.front().problem);
            return 0;
        }
        return priced.lines.front().years.front().Total();
    }

    // Each row's key changed, with the keys every row shares.
    void Check(std::initializer_list<Row> rows, const Keys& shared = {}) {
        for (const Row& row : rows) {
            Keys keys = shared;
            keys[row.key] = row.value;
            EXPECT_DOUBLE_EQ(FirstYear(keys), row.firstYear)
                << row.key << "=" << row.value << ": " << row.worked;
        }
    }

    TempFolder folder;
};

TEST_F(InputTables, EveryCodedValueAndTheRateScale) {
    Check({
        // Table extra = (base − fee) × the table's standard factor, to the
        // cent: a class N base of 2,482.50 leaves 2,432.50 to rate.
        {"Insured.Table", "", 2482.50, "no table"},
        {"Insured.Table", "0", 2482.50, "no table"},
        {"Insured.Table", "1", 3090.63, "A: 2,432.50 × 0.25 = 608.125 → 608.13"},
        {"Insured.Table", "1.5", 3382.53, "AA: × 0.37 = 900.025 → 900.03"},
        {"Insured.Table", "2", 3698.75, "B: × 0.5 = 1,216.25"},
        {"Insured.Table", "2.5", 3990.65, "BB: × 0.62 = 1,508.15"},
        {"Insured.Table", "3", 4306.88, "C: × 0.75 = 1,824.375 → 1,824.38"},
        {"Insured.Table", "3.5", 4598.78, "CC: × 0.87 = 2,116.275 → 2,116.28"},
        {"Insured.Table", "4", 4915.00, "D: × 1.0"},
        {"Insured.Table", "5", 5523.13, "E: × 1.25 = 3,040.625 → 3,040.63"},
        {"Insured.Table", "6", 6131.25, "F: × 1.5"},
        {"Insured.Table", "7", 6739.38, "G: × 1.75 = 4,256.875 → 4,256.88"},
        {"Insured.Table", "8", 7347.50, "H: × 2.0"},
        {"Insured.Table", "9", 7955.63, "I: × 2.25 = 5,473.125 → 5,473.13"},
        {"Insured.Table", "10", 8563.75, "J: × 2.5"},
        {"Insured.Table", "11", 9171.88, "K: × 2.75 = 6,689.375 → 6,689.38"},
        {"Insured.Table", "12", 9780.00, "L: × 3.0"},
        {"Insured.Table", "13", 10388.13, "M: × 3.25 = 7,905.625 → 7,905.63"},
        {"Insured.Table", "14", 10996.25, "N: × 3.5"},
        {"Insured.Table", "15", 11604.38, "O: × 3.75 = 9,121.875 → 9,121.88"},
        {"Insured.Table", "16", 12212.50, "P: × 4.0"},
        {"Insured.Class", "SP", 1572.50, "class 1: 609 × 2.5 + 50"},
        {"Insured.Class", "P", 1765.00, "class 2: 686"},
        {"Insured.Class", "QN", 2005.00, "class 3: 782"},
        {"Insured.Class", "N", 2482.50, "class 4: 973"},
        {"Insured.Class", "PS", 4115.00, "class 5: 1,626"},
        {"Insured.Class", "S", 4797.50, "class 6: 1,899"},
        {"Insured.Class", "5", 2952.50, "class 7: 1,161"},
        {"Insured.Class", "8", 5695.00, "class 8: 2,258"},
        // TVNY sells the same plan as Korvel 20 on the same rates; the
        // New York company's cases are priced by their own products.
        {"comp_Code", "BRLN", 2482.50, "BRN"},
        {"comp_Code", "TVNY", 2482.50, "TVNY: Korvel 20"},
        {"comp_Code", "TVNB", 2482.50, "TVNY: Korvel 20"},
        {"Rider.CTR.Amt", "1", 2488.00, "one unit: 5.50"},
        {"Rider.CTR.Amt", "2", 2493.50, "two units: 11.00"},
        // The prior rate scale (June07BRNFGHB3.rat, 1,011 cents) when the outside
        // system asks for it or the insured's name carries its marker.
        {"TVRN.UsePriorRates", "Y", 2577.50, "asked for: 250 × 1,011 / 100 + 50"},
        {"Insured.Name", "Pat 1BACK", 2577.50, "marked in the name"},
    });
    // Mississippi stays on its own scale, those same tables, whatever is asked.
    Check(
        {
            {"TVRN.UsePriorRates", "Y", 2577.50, "Mississippi, asked for"},
            {"TVRN.UsePriorRates", "N", 2577.50, "Mississippi, not asked for"},
        },
        {{"Insured.State", "MS"}});
    // Waiver = 250,000 × round(rating × 101) / 100,000, 101 being the
    // waiver rate of age 45 in rate column 3 of BRNwvr.rat.
    Check(
        {
            {"BRLN.WaiverRating", "0", 2735.00, "standard: 101 → 252.50"},
            {"BRLN.WaiverRating", "1", 2735.00, "standard: 101 → 252.50"},
            {"BRLN.WaiverRating", "2", 2862.50, "150 %: 151.5 → 152 → 380.00"},
            {"BRLN.WaiverRating", "3", 2987.50, "200 %: 202 → 505.00"},
            {"BRLN.WaiverRating", "4", 3115.00, "250 %: 252.5 → 253 → 632.50"},
            {"BRLN.WaiverRating", "5", 3240.00, "300 %: 303 → 757.50"},
        },
        {{"Insured.Waiver", "Y"}});
    // The New York company sells Dorrance 5 in New Jersey: level-3 column 0
    // of July08QNBTermHB3.rat, row 45, column 0 + 3 × 4 = 528 cents.
    Check({{"BRLN.Product", "DORR5", 1370.00, "528 × 2.5 + 50"}},
          {{"comp_Code", "QNBY"}, {"Insured.State", "NJ"}, {"pol_ProductName", "Quoravel - NJ"}});
}

}  // namespace
}  // namespace quoravel
