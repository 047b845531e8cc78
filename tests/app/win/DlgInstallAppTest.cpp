// The install dialog: the data sets it offers, when it offers "Update",
// and what it hands back.
#include "app/win/DlgInstallApp.h"
#include "res/resource.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPEdit.h"
#include "tests/app/win/DialogTestSupport.h"

#include <gtest/gtest.h>

using namespace trovtest;

namespace {

using Entries = std::vector<std::string>;
const Entries kNewOnly = {"New Install"};
const Entries kNewAndUpdate = {"New Install", "Update"};

void FillStandard(CDlgInstallApp& dialog)
{
    dialog.m_address = "10.0.0.7";
    dialog.m_dataSetNames = {"Base", "!Internal", "Line2"};
    dialog.m_currentDataSet = "Line2";
    dialog.m_dataSet = "Line2";
    dialog.m_updateAllowed = TRUE;
    dialog.m_appVersion = "3.2.1";
}

TEST(DlgInstallAppTest, OffersTheDataSetsAndUpdateOnlyForTheMachinesCurrentOne)
{
    CDlgInstallApp dialog;
    FillStandard(dialog);
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_STREQ("Remote System", title);
        EXPECT_EQ("10.0.0.7", ItemText(d, IDC_ADDRESS));
        EXPECT_EQ("3.2.1", ItemText(d, IDC_APP_VERSION));
        EXPECT_EQ(Entries({"Base", "Line2"}), ComboEntries(d, IDC_DATASET));
        EXPECT_EQ(1, (int)d.SendDlgItemMessage(IDC_DATASET, CB_GETCURSEL));
        EXPECT_TRUE(IsEnabled(d, IDC_DATASET));
        EXPECT_TRUE(IsEnabled(d, IDC_ADDRESS));
        EXPECT_EQ(::GetDlgItem(d, IDC_ADDRESS), ::GetFocus());
        EXPECT_EQ(kNewAndUpdate, ComboEntries(d, IDC_INSTALL_TYPE));
        EXPECT_EQ(0, (int)d.SendDlgItemMessage(IDC_INSTALL_TYPE, CB_GETCURSEL));
        ExpectTemplateLayout(d, {{IDC_ADDRESS, 69, 7, 205, 14, true},
                                 {IDC_ADMIN_PASSWORD, 69, 46, 94, 14, true},
                                 {IDC_DATASET, 69, 26, 94, 0, false},
                                 {IDC_INSTALL_TYPE, 70, 87, 204, 0, false},
                                 {IDC_APP_VERSION, 70, 67, 94, 14, true},
                                 {IDC_NAME_LABEL, 7, 7, 62, 14, true},
                                 {IDOK, 171, 106, 50, 14, true},
                                 {IDCANCEL, 224, 106, 50, 14, true}});
        // Another data set: only a new install.
        SelectComboEntry(d, IDC_DATASET, 0);
        EXPECT_EQ(kNewOnly, ComboEntries(d, IDC_INSTALL_TYPE));
        // The machines' own again: both, "New Install" selected.
        SelectComboEntry(d, IDC_DATASET, 1);
        EXPECT_EQ(kNewAndUpdate, ComboEntries(d, IDC_INSTALL_TYPE));
        EXPECT_EQ(0, (int)d.SendDlgItemMessage(IDC_INSTALL_TYPE, CB_GETCURSEL));
        d.SendDlgItemMessage(IDC_INSTALL_TYPE, CB_SETCURSEL, 1);
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, "admin");
        d.SetDlgItemText(IDC_ADDRESS, "10.0.0.8");
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("Line2", dialog.m_dataSet);
    EXPECT_TRUE(dialog.m_update);
    EXPECT_STREQ("admin", dialog.m_password);
    EXPECT_STREQ("10.0.0.8", dialog.m_address);
}

TEST(DlgInstallAppTest, ThePreselectionAndTheUpdateRuleFollowTheCallersValues)
{
    struct Case {
        const char* preselected;
        const char* current;
        BOOL updateAllowed;
        int selected;
        Entries types;
    };
    const Case cases[] = {
        {"line", "Line2", TRUE, 1, kNewAndUpdate},   // a beginning, without regard to case
        {"Other", "Line2", TRUE, 0, kNewOnly},       // no match: the first
        {"Base", "Base", FALSE, 0, kNewOnly},        // update not allowed
        {"Line2", "line2", TRUE, 1, kNewOnly},       // the current data set must be equal exactly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preselected);
        CDlgInstallApp dialog;
        FillStandard(dialog);
        dialog.m_dataSet = c.preselected;
        dialog.m_currentDataSet = c.current;
        dialog.m_updateAllowed = c.updateAllowed;
        INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
            EXPECT_EQ(c.selected, (int)d.SendDlgItemMessage(IDC_DATASET, CB_GETCURSEL));
            EXPECT_EQ(c.types, ComboEntries(d, IDC_INSTALL_TYPE));
            Click(d, IDOK);
        }});
        EXPECT_EQ(IDOK, result);
        EXPECT_STREQ(c.selected == 0 ? "Base" : "Line2", dialog.m_dataSet);
        EXPECT_FALSE(dialog.m_update);
    }
}

TEST(DlgInstallAppTest, OneDataSetIsFixedAndNoneHidesTheRow)
{
    CDlgInstallApp one;
    one.m_address = "10.0.0.7";
    one.m_dataSetNames = {"!Hidden", "Only"};
    INT_PTR result = RunDialog(one, {[](CDialog& d) {
        EXPECT_EQ(Entries({"Only"}), ComboEntries(d, IDC_DATASET));
        EXPECT_FALSE(IsEnabled(d, IDC_DATASET));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("Only", one.m_dataSet);

    CDlgInstallApp none;
    none.m_address = "<multiple>";
    none.m_addressLocked = TRUE;
    none.m_dataSet = "Base";
    result = RunDialog(none, {[](CDialog& d) {
        EXPECT_FALSE(IsShown(d, IDC_DATASET));
        EXPECT_FALSE(IsShown(d, IDC_DATASET_LABEL));
        EXPECT_FALSE(IsEnabled(d, IDC_ADDRESS));
        EXPECT_EQ("<multiple>", ItemText(d, IDC_ADDRESS));
        EXPECT_EQ(kNewOnly, ComboEntries(d, IDC_INSTALL_TYPE));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("", none.m_dataSet);
    EXPECT_STREQ("<multiple>", none.m_address);
}

TEST(DlgInstallAppTest, AnAddressThatIsNotWholeIsRefusedWithAMessage)
{
    const char* bad[] = {"10.0.0", "host-1", "10.0.0.300", ""};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        CMessageBoxRecorder boxes;
        CDlgInstallApp dialog;
        FillStandard(dialog);
        INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
                                                d.SetDlgItemText(IDC_ADDRESS, text);
                                                Click(d, IDOK);
                                            },
                                            [](CDialog& d) { Click(d, IDCANCEL); }});
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, boxes.texts().size());
        EXPECT_NE(std::string::npos, boxes.texts()[0].find("IP address")) << boxes.texts()[0];
        EXPECT_STREQ("10.0.0.7", dialog.m_address);
    }
}

TEST(DlgInstallAppTest, TemplateControlsAreThemedWhileMembersKeepTheirClasses)
{
    CDlgInstallApp dialog;
    FillStandard(dialog);
    RunDialog(dialog, {[&](CDialog& d) {
        auto object = [&](int id) { return CWnd::FromHandlePermanent(::GetDlgItem(d, id)); };
        EXPECT_TRUE(object(IDOK) != nullptr && object(IDOK)->IsKindOf(RUNTIME_CLASS(CZUDPButton)));
        EXPECT_TRUE(object(IDC_ADMIN_PASSWORD) != nullptr && object(IDC_ADMIN_PASSWORD)->IsKindOf(RUNTIME_CLASS(CZUDPEdit)));
        // The combo boxes stay the platform's, as the dialog declares them.
        EXPECT_EQ(&dialog.GetDataSetList(), object(IDC_DATASET));
        EXPECT_EQ(&dialog.GetInstallTypeList(), object(IDC_INSTALL_TYPE));
        d.EndDialog(IDCANCEL);
    }});
}

} // namespace
