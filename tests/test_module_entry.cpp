// Loading and unloading the module: the product decides which commands
// exist, unloading removes them all, and the module object's bookkeeping.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "AcApDocManager.h"
#include "AcEdCommandStack.h"
#include "HostSession.h"
#include "OdRxModule.h"
#include "TestSupport.h"
#include "host/HostProduct.h"
#include "module/CommandTable.h"
#include "module/DrxModule.h"
#include "module/ModuleLifecycle.h"
#include "module/commands.h"
#include "resources/ModuleResources.h"

namespace fs = std::filesystem;

namespace {

// A host session with a preferences file already there, so loading shows
// no dialog.
class LoadedModule {
 public:
  explicit LoadedModule(const std::wstring& product) {
    const fs::path prefs = m_appData / "ZelphSystems" / "Spatiary" / "prefs";
    fs::create_directories(prefs);
    spatiary_test::writeFile(prefs / "prefs.cfg", "units\n0\n");
    auto& session = HostSession::instance();
    session.setProductName(product);
    session.setAppDataFolder(m_appData.path().wstring());
    session.setOutput(&m_out);
    CModuleLifecycle::initialise(&m_packet);
  }
  ~LoadedModule() {
    CModuleLifecycle::unload();
    HostSession::instance().setOutput(&std::cout);
    HostSession::instance().setProductName(L"BricsCAD 18");
  }
  std::string text() const { return m_out.str(); }
  const fs::path& appData() const { return m_appData.path(); }

 private:
  spatiary_test::ScratchFolder m_appData;
  std::ostringstream m_out;
  int m_packet = 0;
};

bool known(const wchar_t* name) { return acedRegCmds->lookupCmd(name) != nullptr; }

}  // namespace

TEST(HostProduct, KindsFollowTheLowerCasedName) {
  EXPECT_EQ(CHostProduct::detect(L"AutoCAD LT 2020").kind(), CHostProduct::kAutoCADLT);
  EXPECT_EQ(CHostProduct::detect(L"AutoCAD LT 2020").displayName(), L"AutoCADLT");
  EXPECT_EQ(CHostProduct::detect(L"AutoCAD 2021").kind(), CHostProduct::kAutoCAD);
  EXPECT_EQ(CHostProduct::detect(L"BricsCAD 18").kind(), CHostProduct::kBricsCAD);
  EXPECT_EQ(CHostProduct::detect(L"BricsCAD 18").displayName(), L"BricsCAD");
  // "autocad" is tested first.
  EXPECT_EQ(CHostProduct::detect(L"BricsCAD for AutoCAD users").kind(), CHostProduct::kAutoCAD);
  EXPECT_EQ(CHostProduct::detect(L"ZWCAD Pro").displayName(), L"unknown <zwcad pro>");
  EXPECT_TRUE(CHostProduct::detect(L"AutoCAD").isFullProduct());
  EXPECT_FALSE(CHostProduct::detect(L"AutoCAD LT").isFullProduct());
  EXPECT_FALSE(CHostProduct::detect(L"ZWCAD").isFullProduct());
}

TEST(CommandRegistration, AFullProductHasEveryCommand) {
  LoadedModule module(L"BricsCAD 18");
  for (const CCommandEntry& entry : CCommandTable::entries()) {
    const AcEdCommand* command = acedRegCmds->lookupCmd(entry.globalName);
    ASSERT_NE(command, nullptr) << entry.globalName;
    EXPECT_EQ(command->group, entry.group);
    EXPECT_EQ(command->localName, entry.localName);
    EXPECT_EQ(command->flags, entry.flags);
  }
  EXPECT_TRUE(known(L"mlmc"));
  EXPECT_TRUE(known(L"zelphPieMarkerCreate"));
  EXPECT_EQ(CHostProduct::current().kind(), CHostProduct::kBricsCAD);
  EXPECT_EQ(module.text(), "");
}

TEST(CommandRegistration, LightAndUnknownProductsLackTheMarkerCommands) {
  for (const wchar_t* product : {L"AutoCAD LT 2020", L"SomeCAD 3"}) {
    LoadedModule module(product);
    EXPECT_FALSE(known(L"mlmc")) << product;
    EXPECT_FALSE(known(L"mpmc")) << product;
    EXPECT_FALSE(known(L"zelphLegendMarkerCreate")) << product;
    EXPECT_TRUE(known(L"mfrs")) << product;
    EXPECT_TRUE(known(L"mus")) << product;
    EXPECT_TRUE(known(L"md9")) << product;
  }
}

TEST(CommandRegistration, UnloadingRemovesAllSevenGroups) {
  { LoadedModule module(L"BricsCAD 18"); }
  for (const CCommandEntry& entry : CCommandTable::entries()) {
    EXPECT_FALSE(known(entry.globalName)) << entry.globalName;
    EXPECT_FALSE(known(entry.localName)) << entry.localName;
  }
  EXPECT_EQ(CCommandTable::groups().size(), 7u);
}

TEST(CommandRegistration, LoadingFixesTheWorkingFolders) {
  LoadedModule module(L"BricsCAD 18");
  EXPECT_TRUE(fs::is_directory(module.appData() / "ZelphSystems" / "Spatiary" / "temp"));
}

TEST(CommandShell, AFailingCommandShowsOneBoxAndPopsItsResources) {
  spatiary_test::ScratchFolder scratch;
  std::istringstream in((scratch / "missing" / "out.xml").string() + "\n");
  std::ostringstream out;
  HostSession::instance().setInput(&in);
  HostSession::instance().setOutput(&out);
  const int depth = acDocManager->resourceDepth();
  zelphDiagnosticXML();
  EXPECT_EQ(acDocManager->resourceDepth(), depth);
  zelphDiagnosticBasic();
  HostSession::instance().setInput(nullptr);
  HostSession::instance().setOutput(&std::cout);
  EXPECT_EQ(spatiary_test::countOccurrences(out.str(), "Error Detected."), 1) << out.str();
  EXPECT_NE(out.str().find("basic test completed\n"), std::string::npos);
}

TEST(ModuleObject, CountsReferencesAndReportsItsStartAndStop) {
  auto* module = new CDrxModule(const_cast<ResourceTable*>(CModuleResources::instance()), L"/opt/Spatiary.so");
  EXPECT_EQ(module->numRefs(), 0);
  module->addRef();
  module->addRef();
  EXPECT_EQ(module->numRefs(), 2);
  EXPECT_EQ(module->sysData(), CModuleResources::instance());
  EXPECT_EQ(module->moduleName(), L"/opt/Spatiary.so");
  module->initApp();
  EXPECT_TRUE(isArxAppLoaded(L"/opt/Spatiary.so"));
  module->uninitApp();
  EXPECT_FALSE(isArxAppLoaded(L"/opt/Spatiary.so"));
  module->release();
  EXPECT_EQ(module->numRefs(), 1);
  module->release();  // the last reference frees it; ASan checks
}

TEST(ModuleResources, HoldThePreferencesAndAboutDialogs) {
  const DialogTemplate* preferences = CModuleResources::instance()->findDialog(216);
  ASSERT_NE(preferences, nullptr);
  EXPECT_EQ(preferences->caption, L"Block Editing Suite - Preferences");
  ASSERT_EQ(preferences->menu.size(), 1u);
  EXPECT_EQ(preferences->menu[0].text, L"&Help");
  ASSERT_EQ(preferences->menu[0].items.size(), 1u);
  EXPECT_EQ(preferences->menu[0].items[0].id, 32770u);
  const DialogTemplate* about = CModuleResources::instance()->findDialog(221);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->caption, L"About - Spatiary");
}
