#pragma once

#include "SatelliteData.h"

namespace skyvane {

class GridView;

// The satellite list's five columns over a SatelliteTableModel (which gives texts and sort
// values), with "°" drawn after the three angles.
void AddSatelliteListColumns(GridView& grid);

} // namespace skyvane
