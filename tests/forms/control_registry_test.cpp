#include "forms/control_registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/stored_bag.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tests/forms/fake_control.h"

namespace forms {
namespace {

using testing::FakeControl;

class ControlRegistryTest : public ::testing::Test {
  protected:
    ControlRegistryTest() {
        registry.Register("Tavik.Fake", [this] {
            auto control = std::make_unique<FakeControl>(log);
            // Loading reads two settings the way a control does, with their defaults.
            control->react = [this, c = control.get()](std::string_view call) {
                if (call != "LoadSettings") return;
                loaded.push_back(
                    std::to_string(c->container.properties->Read<int32_t>("BTYPE", 2)));
                loaded.push_back(c->container.properties->Read<std::string>("TX", ""));
                loaded.push_back(std::to_string(c->container.properties->Read<bool>("ENAB", true)));
            };
            return control;
        });
    }

    ControlDesign Design() const {
        ControlDesign d;
        d.classId = "Tavik.Fake";
        d.name = "cmdKey";
        d.index = 3;
        d.left = 150;
        d.top = 300;
        d.width = 750;
        d.height = 495;
        d.tabIndex = 4;
        return d;
    }

    platform::HeadlessBackend backend;
    platform::WindowSystem system{backend};
    platform::Window form{system, nullptr, platform::Rect::FromSize(0, 0, 200, 100)};
    ResourceTable resources;
    ControlRegistry registry;
    std::vector<std::string> log;
    std::vector<std::string> loaded;
};

TEST_F(ControlRegistryTest, CreatesANewInstanceByClassIdentifier) {
    EXPECT_TRUE(registry.Contains("Tavik.Fake"));
    EXPECT_FALSE(registry.Contains("tavik.fake"));
    const auto site = registry.CreateSite(form, Design(), {}, resources);
    EXPECT_EQ(log, (std::vector<std::string>{"Create", "InitNew", "Resize"}));
    EXPECT_EQ(site->SiteWindow().Bounds(), (platform::Rect{10, 20, 60, 53}));
    EXPECT_EQ(site->SiteWindow().Parent(), &form);
    EXPECT_EQ(site->SiteWindow().TabIndex(), 4);
    EXPECT_FALSE(site->SiteWindow().IsVisible());
    EXPECT_EQ(site->Index(), 3);
    EXPECT_EQ(site->Ambient().displayName, "cmdKey(3)");

    ControlDesign single = Design();
    single.name = "cmdOK";
    single.index.reset();
    const auto other = registry.CreateSite(form, single, {}, resources);
    EXPECT_EQ(other->Ambient().displayName, "cmdOK");
    EXPECT_EQ(other->Index(), std::nullopt);
}

TEST_F(ControlRegistryTest, RejectsAnUnknownClassIdentifier) {
    ControlDesign design = Design();
    design.classId = "Tavik.vbButton";
    EXPECT_THROW(registry.CreateSite(form, design, {}, resources), UnknownControlClass);
    EXPECT_TRUE(log.empty());
}

TEST_F(ControlRegistryTest, LoadsFromAStoredBagAndSavesItBack) {
    PropertyBag stored;
    stored.Write("_extentx", int32_t{1323});
    stored.Write("_extenty", int32_t{873});
    stored.Write("BTYPE", int32_t{14});
    stored.Write("TX", std::string("&7"));
    const StoredBagReadResult read = ReadStoredBag(WriteStoredBag(stored));
    ASSERT_FALSE(read.error);

    ControlDesign design = Design();
    design.bag = read.bag;
    const auto site = registry.CreateSite(form, design, {}, resources);
    EXPECT_EQ(log, (std::vector<std::string>{"Create", "LoadSettings", "Resize"}));
    // Stored names come back lower case; the control's upper-case keys still find them.
    EXPECT_EQ(loaded, (std::vector<std::string>{"14", "&7", "1"}));

    const PropertyBag saved = site->Save();
    ASSERT_EQ(saved.Entries().size(), 2u);  // the fake control writes nothing of its own
    EXPECT_EQ(WriteStoredBag(saved), WriteStoredBag([] {
                  PropertyBag extent;
                  extent.Write("_extentx", int32_t{1323});
                  extent.Write("_extenty", int32_t{873});
                  return extent;
              }()));
}

TEST_F(ControlRegistryTest, PassesALoadErrorToTheCaller) {
    ControlDesign design = Design();
    design.bag.emplace();
    design.bag->Write("BTYPE", std::string("fourteen"));
    EXPECT_THROW(registry.CreateSite(form, design, {}, resources), PropertyTypeError);
    EXPECT_EQ(log, (std::vector<std::string>{"Create", "LoadSettings", "Destroy"}));
}

}  // namespace
}  // namespace forms
