#pragma once

#include <array>
#include <cstdint>

#include "platform/accessibility/accessible_tree.h"
#include "platform/ui/accessible.h"

namespace platform::atspi {

/// AT-SPI2's numbers and names of roles, states and relations (AtspiRole, AtspiStateType,
/// AtspiRelationType).
uint32_t RoleNumber(AccessibleRole role);
const char* RoleName(AccessibleRole role);
uint32_t StateNumber(AccessibleState state);
const char* StateName(AccessibleState state);
/// The state set as AT-SPI2 sends it: two 32-bit words, state n as bit n % 32 of word n / 32.
std::array<uint32_t, 2> StateWords(AccessibleStates states);
uint32_t RelationNumber(AccessibleRelationKind kind);

}  // namespace platform::atspi
