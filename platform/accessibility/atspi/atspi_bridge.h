#pragma once

#include <memory>
#include <string>

namespace platform {
class WindowSystem;
}

namespace platform::atspi {

class AccessibilityStatus;
class AtspiExport;

/// The program as screen readers see it through AT-SPI2, on every display backend alike. It
/// follows the desktop's accessibility status on the user's session bus and, while that is on,
/// exports the window tree on the accessibility bus (AT_SPI_BUS_ADDRESS, else the address the
/// bus's launcher gives), leaving it when the status turns off. With no session bus, or the
/// status off, it holds no connection to the accessibility bus; nothing it does waits for an
/// answer, and it says nothing when something is missing.
class AtspiBridge {
  public:
    /// `applicationName` is the application's name on the bus; `system` must outlive the bridge.
    AtspiBridge(WindowSystem& system, std::string applicationName);
    ~AtspiBridge();
    AtspiBridge(const AtspiBridge&) = delete;
    AtspiBridge& operator=(const AtspiBridge&) = delete;

  private:
    void StatusChanged(bool on);
    void Connect(const std::string& address);

    WindowSystem& system_;
    std::string applicationName_;
    std::unique_ptr<AtspiExport> export_;
    std::unique_ptr<AccessibilityStatus> status_;
};

}  // namespace platform::atspi
