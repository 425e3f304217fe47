#pragma once

#include "SatelliteData.h"

namespace skyvane {

class GridView;

// The satellite list's five columns: Position and name sorting as text, the three angles as
// numbers with "°" drawn after them.
void AddSatelliteListColumns(GridView& grid);

// One list row for a record: the position text, the name and the three angles rounded to
// hundredths, with the record attached.
void AddSatelliteRow(GridView& grid, const SatelliteRecord& record);

} // namespace skyvane
