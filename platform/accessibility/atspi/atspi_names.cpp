#include "platform/accessibility/atspi/atspi_names.h"

namespace platform::atspi {
namespace {

struct RoleRow {
    uint32_t number;
    const char* name;
};

// In the order of AccessibleRole.
constexpr std::array<RoleRow, 9> kRoles{{
    {0, "invalid"},
    {75, "application"},
    {23, "frame"},
    {69, "window"},
    {2, "alert"},
    {43, "push button"},
    {7, "check box"},
    {29, "label"},
    {61, "text"},
}};

struct StateRow {
    uint32_t number;
    const char* name;
};

// In the order of AccessibleState.
constexpr std::array<StateRow, kAccessibleStateCount> kStates{{
    {1, "active"},
    {25, "showing"},
    {30, "visible"},
    {8, "enabled"},
    {24, "sensitive"},
    {11, "focusable"},
    {12, "focused"},
    {41, "checkable"},
    {4, "checked"},
    {7, "editable"},
    {43, "read-only"},
    {26, "single-line"},
    {17, "multi-line"},
    {16, "modal"},
}};

}  // namespace

uint32_t RoleNumber(AccessibleRole role) {
    return kRoles[static_cast<size_t>(role)].number;
}

const char* RoleName(AccessibleRole role) {
    return kRoles[static_cast<size_t>(role)].name;
}

uint32_t StateNumber(AccessibleState state) {
    return kStates[static_cast<size_t>(state)].number;
}

const char* StateName(AccessibleState state) {
    return kStates[static_cast<size_t>(state)].name;
}

std::array<uint32_t, 2> StateWords(AccessibleStates states) {
    std::array<uint32_t, 2> words{};
    for (int i = 0; i < kAccessibleStateCount; ++i) {
        const auto state = static_cast<AccessibleState>(i);
        if (!states.Has(state)) continue;
        const uint32_t number = StateNumber(state);
        words[number / 32] |= 1u << (number % 32);
    }
    return words;
}

uint32_t RelationNumber(AccessibleRelationKind kind) {
    switch (kind) {
        case AccessibleRelationKind::DescribedBy:
            return 18;
        case AccessibleRelationKind::DescriptionFor:
            return 17;
    }
    return 0;
}

}  // namespace platform::atspi
