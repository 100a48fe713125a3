// Master shape identity tags: the shapes of the slide master, the title master or the handout
// master are marked with their positions at preparation and found again by those marks at check
// time, as the shapes of a slide are (formes.hpp).
#pragma once

#include <cstdint>

#include "inspect/api.hpp"
#include "powerpoint/ppt.hpp"

namespace k60418 {

/// Marks shape i of the active presentation's slide master with "ZUK" & i, for every shape.
void MarqueMasqueDiapos(const ppt::Application& ioApplication);
/// The same on the title master (PowerPoint's error when the presentation has none).
void MarqueMasqueTitre(const ppt::Application& ioApplication);
/// The same on the handout master.
void MarqueMasqueDocument(const ppt::Application& ioApplication);

/// The index, in the slide master's Shapes, of the shape marked "ZUK2" (the body zone); 0 when
/// none carries that mark. ZoneMasqueAbsente is set when the shape marked "ZUK1" (the title zone)
/// or the one marked "ZUK2" is missing: a missing title zone raises the flag but the body zone is
/// still returned.
std::int16_t ChercheZonesMasque(Api& api, const ppt::Application& ioApplication);

/// The index, in the handout master's Shapes, of the shape marked "ZUK" & inForme; 0 when none
/// carries that mark. No flag is set.
std::int16_t ChercheFormeMasqueDocument(std::int16_t inForme, const ppt::Application& ioApplication);

}  // namespace k60418
