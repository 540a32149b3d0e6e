#include "platform/accessibility/atspi/atspi_bridge.h"

#include <cstdlib>
#include <utility>

#include "platform/accessibility/atspi/accessibility_status.h"
#include "platform/accessibility/atspi/atspi_export.h"
#include "platform/ui/window_system.h"

namespace platform::atspi {

AtspiBridge::AtspiBridge(WindowSystem& system, std::string applicationName)
    : system_(system), applicationName_(std::move(applicationName)) {
    status_ = AccessibilityStatus::Open(system_.GetBackend().Events(),
                                        [this](bool on) { StatusChanged(on); });
}

// The export goes before the status: both wait on the same event source.
AtspiBridge::~AtspiBridge() {
    export_.reset();
    status_.reset();
}

void AtspiBridge::StatusChanged(bool on) {
    if (!on) {
        export_.reset();
        return;
    }
    if (export_) return;
    if (const char* address = std::getenv("AT_SPI_BUS_ADDRESS"); address && *address) {
        Connect(address);
        return;
    }
    status_->RequestAddress([this](std::string address) {
        if (status_->On() && !export_) Connect(address);
    });
}

// A connection that is lost stays closed until the status turns off and on again.
void AtspiBridge::Connect(const std::string& address) {
    export_ = AtspiExport::Connect(system_, address, applicationName_, [this] { export_.reset(); });
}

}  // namespace platform::atspi
