#include "tools/citygen/DemoCity.h"

#include "tools/citygen/CityWriter.h"
#include "tools/citygen/Random.h"
#include "tools/citygen/StableIdSequence.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace citygen {
namespace {
constexpr int kCompanies = 320;

constexpr std::array<std::string_view, 30> kStreets{
    "Mill Street",       "High Street",    "Church Lane",   "River Road",   "Station Road",
    "Market Square",     "Bridge Street",  "Oak Avenue",    "Elm Grove",    "Harbour Way",
    "Kings Road",        "Queen Street",   "Victoria Road", "Park Lane",    "Meadow Close",
    "Willow Walk",       "Chapel Street",  "North Street",  "South Parade", "Castle Hill",
    "Orchard Way",       "Ferry Lane",     "Canal Street",  "Wharf Road",   "School Lane",
    "Greenfield Avenue", "Hawthorn Drive", "Foundry Lane",  "Tanners Row",  "Lock Keeper's Walk"};

constexpr std::array<std::string_view, 44> kSurnames{
    "Smith",   "Jones",    "Taylor", "Brown",  "Williams", "Wilson",  "Johnson", "Davies",  "Robinson",
    "Wright",  "Thompson", "Evans",  "Walker", "White",    "Roberts", "Green",   "Hall",    "Wood",
    "Jackson", "Clarke",   "Harris", "Lewis",  "Cooper",   "King",    "Baker",   "Carter",  "Morgan",
    "Hughes",  "Edwards",  "Turner", "Hill",   "Moore",    "Ward",    "Parker",  "Bennett", "Fletcher",
    "Marsh",   "Palmer",   "Fisher", "Holt",   "Webb",     "Foster",  "Hale",    "Ashworth"};

constexpr std::array<std::string_view, 20> kFirstNames{
    "Anna", "Ben", "Clara", "David", "Emma",   "Frank", "Grace", "Henry", "Isla", "Jack",
    "Kate", "Leo", "Molly", "Noah",  "Olivia", "Peter", "Rose",  "Sam",   "Tom",  "Zoe"};

constexpr std::array<std::string_view, 12> kPlaces{"Riverton", "Riverside", "Millbrook", "Old Town",
                                                   "Harbour",  "Bridge",    "Market",    "Oakfield",
                                                   "Kingsway", "Willow",    "Ferryside", "Castle Hill"};

constexpr std::array<std::string_view, 12> kAdjectives{"Golden", "Little", "Red",    "Blue",
                                                       "Old",    "Green",  "Silver", "Happy",
                                                       "Crown",  "Cosy",   "Copper", "Bright"};

// What a company is, how it is named ({S} surname, {T} a second surname, {F} first
// name, {P} a place of the town, {A} an adjective), how common it is, and whether it
// keeps premises (a taxi firm or a plumber works from no building of its own).
struct Kind {
    std::string_view key;
    std::vector<std::string_view> names;
    int weight;
    bool premises = true;
};

const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds{
        {"cafe", {"{S}'s Café", "Café {P}", "The {A} Bean", "{P} Coffee House", "{F}'s Tea Room"}, 8},
        {"restaurant", {"{S}'s Kitchen", "The {A} Table", "{P} Grill", "Trattoria {F}", "The {A} Fork"}, 7},
        {"pub", {"The {A} Lion", "The {S} Arms", "The {A} Swan", "The {P} Tavern", "The {A} Anchor"}, 6},
        {"bakery", {"{S}'s Bakery", "{P} Bread Company", "The {A} Loaf", "{F}'s Patisserie"}, 5},
        {"dentist",
         {"{P} Dental Practice", "{S} & {T} Dentists", "Dr {F} {S}, Dentist", "{P} Smile Clinic"},
         5},
        {"doctor", {"{P} Medical Centre", "{P} Family Surgery", "Dr {S}'s Surgery"}, 3},
        {"pharmacy", {"{S} Pharmacy", "{P} Chemist", "{S} & {T} Chemists"}, 4},
        {"hardware", {"{S} Hardware", "{P} Tools & Timber", "{S}'s Ironmongery", "{A} Hammer DIY"}, 4},
        {"school", {"{P} Primary School", "St {F}'s School", "{P} Academy", "{P} High School"}, 3},
        {"nursery", {"Little {A} Nursery", "{P} Day Nursery", "{F}'s Playgroup"}, 2},
        {"hairdresser", {"{F}'s Hair Studio", "The {A} Scissors", "{P} Barbers", "{S} Hair & Beauty"}, 5},
        {"bookshop", {"{P} Books", "{S} & Daughters Booksellers", "The {A} Page"}, 2},
        {"florist", {"{F}'s Flowers", "{P} Blooms", "The {A} Rose"}, 3},
        {"garage", {"{S} Motors", "{P} Auto Repairs", "{S} & Sons Garage"}, 4},
        {"vet", {"{P} Veterinary Clinic", "{S} Vets", "{P} Animal Hospital"}, 2},
        {"gym", {"{P} Fitness", "{A} Gym", "{P} Leisure Centre"}, 3},
        {"accountant", {"{S} & {T} Accountants", "{S} Tax Advisers", "{P} Bookkeeping"}, 3},
        {"solicitor", {"{S} {T} Solicitors", "{S} & Co. Solicitors", "{P} Law"}, 3},
        {"estate_agent", {"{S} Estates", "{P} Homes", "{S} & {T} Property"}, 3},
        {"dry_cleaner", {"{P} Dry Cleaners", "{A} Star Laundry", "{S}'s Launderette"}, 2},
        {"optician", {"{S} Opticians", "{P} Eyecare", "{S} & {T} Optometrists"}, 2},
        {"bank", {"{P} Building Society", "{P} Savings Bank", "{S} Credit Union"}, 2},
        {"grocer", {"{P} Supermarket", "{S}'s Grocers", "{A} Basket Foods", "{P} Convenience Store"}, 5},
        {"butcher", {"{S} Family Butchers", "{P} Meats", "{S} & Sons Butchers"}, 2},
        {"taxi", {"{P} Taxis", "{A} Cabs", "{S} Private Hire"}, 2, false},
        {"plumber", {"{S} Plumbing & Heating", "{P} Boiler Services", "{F} the Plumber"}, 2, false},
    };
    return kinds;
}

template <std::size_t N> std::string_view Pick(Random& random, const std::array<std::string_view, N>& list) {
    return list[random.Below(N)];
}

std::string Fill(Random& random, std::string_view pattern) {
    std::string name;
    std::string_view surname;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}') {
            switch (pattern[i + 1]) {
            case 'S':
                surname = Pick(random, kSurnames);
                name += surname;
                break;
            case 'T': {
                // "Smith & Smith" is one firm too many.
                std::string_view partner;
                do
                    partner = Pick(random, kSurnames);
                while (partner == surname);
                name += partner;
                break;
            }
            case 'F':
                name += Pick(random, kFirstNames);
                break;
            case 'P':
                name += Pick(random, kPlaces);
                break;
            case 'A':
                name += Pick(random, kAdjectives);
                break;
            }
            i += 2;
        } else {
            name += pattern[i];
        }
    }
    return name;
}

const Kind& PickKind(Random& random) {
    int total = 0;
    for (const Kind& k : Kinds())
        total += k.weight;
    int n = static_cast<int>(random.Below(static_cast<std::uint32_t>(total)));
    for (const Kind& k : Kinds()) {
        if (n < k.weight) return k;
        n -= k.weight;
    }
    return Kinds().back();
}

// Most companies keep one place; a few are small chains.
int PickBranchCount(Random& random) {
    const std::uint32_t n = random.Below(100);
    return n < 60 ? 1 : n < 85 ? 2 : n < 95 ? 3 : 4;
}
} // namespace

void WriteDemoCity(const std::string& path) {
    Random random(20240611);
    StableIdSequence streetIds(0x5354), buildingIds(0x4255), companyIds(0x4F52), branchIds(0x4252);
    CityWriter city(path, "Riverton");

    std::vector<std::int32_t> buildings;
    for (std::size_t s = 0; s < kStreets.size(); ++s) {
        const std::int32_t street = kFirstStreetId + static_cast<std::int32_t>(s);
        city.AddStreet(street, streetIds.Next(), kStreets[s]);
        // Three to six houses a street, numbered upwards with the odd gap.
        int number = 1 + static_cast<int>(random.Below(6));
        const int houses = 3 + static_cast<int>(random.Below(4));
        for (int h = 0; h < houses; ++h) {
            std::string label = std::to_string(number);
            if (random.Chance(10)) label += 'A';
            const auto id = kFirstBuildingId + static_cast<std::int32_t>(buildings.size());
            city.AddBuilding(id, buildingIds.Next(), street, label);
            buildings.push_back(id);
            number += 2 + 2 * static_cast<int>(random.Below(3));
        }
    }

    std::set<std::string> names;
    std::int32_t nextBranch = kFirstBranchId;
    for (int c = 0; c < kCompanies; ++c) {
        const Kind* kind = nullptr;
        std::string name;
        do {
            kind = &PickKind(random);
            name = Fill(random, kind->names[random.Below(static_cast<std::uint32_t>(kind->names.size()))]);
        } while (!names.insert(name).second);
        const std::int32_t company = kFirstCompanyId + c;
        city.AddCompany(company, companyIds.Next(), name, kind->key);

        // The branches of one company stand in different buildings.
        std::set<std::int32_t> used;
        const int count = PickBranchCount(random);
        for (int b = 1; b <= count; ++b) {
            std::optional<std::int32_t> building;
            if (kind->premises) {
                do {
                    building = buildings[random.Below(static_cast<std::uint32_t>(buildings.size()))];
                } while (!used.insert(*building).second);
            }
            city.AddBranch(nextBranch++, branchIds.Next(), company, b, building);
        }
    }
    city.Commit();
}
} // namespace citygen
