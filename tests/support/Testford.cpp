#include "tests/support/Testford.h"

#include "tests/support/TempFolder.h"
#include "tools/citygen/CityWriter.h"

namespace testsupport {
const std::string& TestfordPath() {
    static const TempFolder folder("testford");
    static const std::string path = [] {
        using namespace testford;
        const std::string file = folder / "Data_Testford.dat";
        citygen::CityWriter w(file, "Testford");
        w.AddStreet(kMillStreet, kMillStreetStable, "Mill Street");
        w.AddStreet(600000002, -7002, "Ferry Lane");
        w.AddBuilding(kMill12, 8001, kMillStreet, "12");
        w.AddBuilding(kMill14A, kMill14AStable, kMillStreet, "14A");
        w.AddBuilding(400000003, -8003, 600000002, "3");
        w.AddCompany(kCafe, kCafeStable, "Café Lumière", "cafe");
        w.AddBranch(kCafeBranch3, 5003, kCafe, 3, 400000003);
        w.AddBranch(kCafeBranch1, kCafeBranch1Stable, kCafe, 1, kMill12);
        w.AddBranch(202, 5002, kCafe, 2, kMill14A);
        w.AddCompany(kDentist, kDentistStable, "Mill Street Dental", "dentist");
        w.AddBranch(204, 5004, kDentist, 1, kMill12);
        w.AddCompany(kTaxis, kTaxisStable, "Testford Taxis", "taxi");
        w.AddBranch(205, 5005, kTaxis, 1, std::nullopt);
        w.AddCompany(kEdge, kEdgeStable, "Edge Case Ltd", "accountant");
        w.AddCompany(kGhost, kGhostStable, "Ghost Lane Storage", "storage");
        w.AddBranch(206, 5006, kGhost, 1, 999);
        w.Commit();
        return file;
    }();
    return path;
}
} // namespace testsupport
