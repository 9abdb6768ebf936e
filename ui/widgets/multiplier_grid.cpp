#include "ui/widgets/multiplier_grid.h"

#include <iterator>

#include "engine/jidx_rules.h"

namespace widgets {

namespace {

// County k sits in column (k - 1) mod 5, row (k - 1) div 5 of template 106; its ids are not in county order.
// The one copy of the template's ids in code: the tests compare it with the template, button by button.
constexpr int kCountyIds[] = {
    1015, 1033, 1087, 1081, 1016,  // 01-05
    1034, 1052, 1088, 1082, 1017,  // 06-10
    1035, 1070, 1089, 1086, 1018,  // 11-15
    1038, 1069, 1053, 1071, 1051,  // 16-20
    1019, 1036, 1090, 1084, 1020,  // 21-25
    1037, 1055, 1091, 1083, 1021,  // 26-30
    1039, 1073, 1092, 1093, 1022,  // 31-35
    1040, 1074, 1056, 1072, 1054,  // 36-40
    1041, 1076, 1094, 1095, 1023,  // 41-45
    1042, 1077, 1058, 1075, 1057,  // 46-50
};
static_assert(std::size(kCountyIds) == jidx::kCountyCount, "an id for every county");

// Zone z sits in column (z - 1) div 10, row (z - 1) mod 10 of template 111; its id is the row's base id plus
// the column.
constexpr int kZoneRowBase[] = {1106, 1023, 1032, 1041, 1050, 1059, 1068, 1077, 1086, 1095};
constexpr int kZoneRows = static_cast<int>(std::size(kZoneRowBase));
static_assert(jidx::kZoneCount % kZoneRows == 0, "every column full");

constexpr auto zoneIds() {
    struct Ids {
        int id[jidx::kZoneCount];
    } ids{};
    for (int z = 1; z <= jidx::kZoneCount; ++z)
        ids.id[z - 1] = kZoneRowBase[(z - 1) % kZoneRows] + (z - 1) / kZoneRows;
    return ids;
}
constexpr auto kZoneIds = zoneIds();

constexpr Colour kDisabledLabel = ui::rgb(128, 128, 128);

} // namespace

const GridSpec kCountyGrid{jidx::kCountyCount, kCountyIds, kCountyPlace};
const GridSpec kZoneGrid{jidx::kZoneCount, kZoneIds.id, kZonePlace};

int controlId(const GridSpec& grid, int k) { return k >= 1 && k <= grid.count ? grid.ids[k - 1] : 0; }

MarkColours markColours(bool worked) {
    if (worked) return {ui::kWorkedFace, ui::kWorkedLabel};
    return {ui::kNotWorkedFace, ui::kNotWorkedLabel};
}

ButtonColours initialGridColours() {
    const MarkColours mark = markColours(false);
    return {mark.face, mark.label, kDisabledLabel};
}

void showMark(CAdvancedComponent& button, bool worked) {
    const MarkColours mark = markColours(worked);
    button.SetFaceColor(mark.face);
    button.SetLabelColor(mark.label);
}

} // namespace widgets
