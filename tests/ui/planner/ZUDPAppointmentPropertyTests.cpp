// Appointment properties: lists, equality, copies, and appointments
// applying lists that come from outside.
#include <gtest/gtest.h>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentProperty.h"

using namespace plannertest;

namespace {

CZUDPAppointmentPropertyImages* ImagesProperty(std::initializer_list<int> indexes)
{
    auto* property = new CZUDPAppointmentPropertyImages;
    for (int i : indexes)
        property->GetImageList().AddTail(i);
    return property;
}

void Fill(CZUDPAppointmentPropertyList& list, std::initializer_list<std::pair<DWORD, CZUDPAppointmentBaseProperty*>> items)
{
    for (auto& item : items)
        ASSERT_TRUE(list.Add(item.first, item.second));
}

} // namespace

TEST(AppointmentProperties, ListEquality)
{
    const COleDateTime start = Date(2024, 5, 6, 9, 0, 0);
    struct Case {
        const char* name;
        std::function<void(CZUDPAppointmentPropertyList&)> a;
        std::function<void(CZUDPAppointmentPropertyList&)> b;
        bool equal;
    } cases[] = {
        { "two empty lists", [](auto&) {}, [](auto&) {}, true },
        { "starts 0.1 s apart (exact doubles)",
          [&](auto& l) { Fill(l, { { 0, new CZUDPAppointmentProperty(start) } }); },
          [&](auto& l) { Fill(l, { { 0, new CZUDPAppointmentProperty(Seconds(start, 0.1)) } }); }, false },
        { "the same start", [&](auto& l) { Fill(l, { { 0, new CZUDPAppointmentProperty(start) } }); },
          [&](auto& l) { Fill(l, { { 0, new CZUDPAppointmentProperty(start) } }); }, true },
        { "one more id", [&](auto& l) { Fill(l, { { 2, new CZUDPAppointmentProperty("x") } }); },
          [&](auto& l) { Fill(l, { { 2, new CZUDPAppointmentProperty("x") }, { 3, new CZUDPAppointmentProperty(1) } }); },
          false },
        { "other ids", [&](auto& l) { Fill(l, { { 2, new CZUDPAppointmentProperty("x") } }); },
          [&](auto& l) { Fill(l, { { 3, new CZUDPAppointmentProperty("x") } }); }, false },
        { "x and X", [](auto& l) { Fill(l, { { 2, new CZUDPAppointmentProperty("x") } }); },
          [](auto& l) { Fill(l, { { 2, new CZUDPAppointmentProperty("X") } }); }, false },
        { "images 1, 2 and 2, 1", [](auto& l) { Fill(l, { { 6, ImagesProperty({ 1, 2 }) } }); },
          [](auto& l) { Fill(l, { { 6, ImagesProperty({ 2, 1 }) } }); }, false },
        { "images 1, 2 twice", [](auto& l) { Fill(l, { { 6, ImagesProperty({ 1, 2 }) } }); },
          [](auto& l) { Fill(l, { { 6, ImagesProperty({ 1, 2 }) } }); }, true },
        { "images are no value", [](auto& l) { Fill(l, { { 6, new CZUDPAppointmentPropertyImages() } }); },
          [](auto& l) { Fill(l, { { 6, new CZUDPAppointmentProperty() } }); }, false },
        { "TRUE and another non-zero boolean", [](auto& l) { Fill(l, { { 7, new CZUDPAppointmentProperty(true) } }); },
          [](auto& l) { Fill(l, { { 7, new CZUDPAppointmentProperty(COleVariant(LONG(5), VT_BOOL)) } }); }, true },
        { "a boolean is no int", [](auto& l) { Fill(l, { { 7, new CZUDPAppointmentProperty(true) } }); },
          [](auto& l) { Fill(l, { { 7, new CZUDPAppointmentProperty(-1) } }); }, false },
        { "a null slot equals only a null slot", [](auto& l) { l[4] = nullptr; },
          [](auto& l) { Fill(l, { { 4, new CZUDPAppointmentProperty(1) } }); }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPAppointmentPropertyList a, b;
        c.a(a);
        c.b(b);
        EXPECT_EQ(c.equal, a.IsEqual(b) != FALSE);
        EXPECT_EQ(c.equal, b.IsEqual(a) != FALSE);
        EXPECT_EQ(!c.equal, a.IsNotEqual(b) != FALSE);
        EXPECT_TRUE(a.IsEqual(a));
    }
}

TEST(AppointmentProperties, AddingAnIdTwiceKeepsTheFirst)
{
    CZUDPAppointmentPropertyList list;
    auto* first = new CZUDPAppointmentProperty("first");
    EXPECT_TRUE(list.Add(2, first));
    CZUDPAppointmentProperty second("second");
    EXPECT_FALSE(list.Add(2, &second));   // not taken
    EXPECT_EQ(first, list.Get(2));
    EXPECT_TRUE(list.PropertyExists(2));
    EXPECT_EQ(nullptr, list.Get(3));
}

TEST(AppointmentProperties, CopiesAreIndependent)
{
    CZUDPAppointmentPropertyList source;
    source.Add(6, ImagesProperty({ 1, 2 }));
    source.Add(2, new CZUDPAppointmentProperty("text"));
    source[9] = nullptr;   // a slot left empty is not copied
    CZUDPAppointmentPropertyList copy;
    copy.CopyFrom(source);
    EXPECT_EQ(2, copy.GetCount());
    auto* copied = DYNAMIC_DOWNCAST(CZUDPAppointmentPropertyImages, copy.Get(6));
    ASSERT_NE(nullptr, copied);
    EXPECT_NE(source.Get(6), copy.Get(6));
    copied->GetImageList().AddTail(3);
    CList<int, int> sourceImages;
    static_cast<CZUDPAppointmentPropertyImages*>(source.Get(6))->GetImages(sourceImages);
    EXPECT_EQ(2, sourceImages.GetCount());
    EXPECT_TRUE(copy.Get(2)->IsEqual(*source.Get(2)));

    // A property copies only its own kind.
    CZUDPAppointmentProperty value(5);
    value.CopyFrom(*source.Get(6));
    EXPECT_EQ(5, value.GetInt());
}

TEST(AppointmentProperties, ReadAccessorsConvertOrRefuse)
{
    EXPECT_STREQ("7", CZUDPAppointmentProperty(7).GetString());
    EXPECT_TRUE(CZUDPAppointmentProperty(true).GetBool());
    EXPECT_EQ(-1, CZUDPAppointmentProperty(true).GetInt());
    EXPECT_TRUE(CZUDPAppointmentProperty(Date(2024, 5, 6)).GetDate() == Date(2024, 5, 6));
    EXPECT_DOUBLE_EQ(1.5, CZUDPAppointmentProperty(COleDateTimeSpan(1.5)).GetSpan().GetTotalDays());
    EXPECT_EQ(COleDateTimeSpan::invalid, CZUDPAppointmentProperty(COleVariant(5e6)).GetSpan().GetStatus());
    // A date property keeps the value only: invalid values stay invalid.
    EXPECT_EQ(COleDateTime::invalid, CZUDPAppointmentProperty(COleVariant(1e300, VT_DATE)).GetDate().GetStatus());
    int value = 0;
    EXPECT_FALSE(CZUDPAppointmentProperty("no number").TryGetInt(value));
    try {
        CZUDPAppointmentProperty("no number").GetInt();
        ADD_FAILURE() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

TEST(AppointmentProperties, AppointmentsRoundTripAndSkipPropertiesOfTheWrongKind)
{
    ScopedPlannerLocale locale(Locale24());
    CZUDPAppointment source;
    source.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0));
    source.SetDescription("Review");
    source.SetBackgroundColor(0x00123456);
    source.SetDurationColor(CZUDPAppointment::kNoColor);
    source.GetImages().AddTail(4);
    source.GetImages().AddTail(1);
    CZUDPAppointmentPropertyList props;
    source.GetProperties(props);
    EXPECT_EQ(8, props.GetCount());
    CZUDPAppointment target;
    target.SetProperties(props);
    CZUDPAppointmentPropertyList back;
    target.GetProperties(back);
    EXPECT_TRUE(props.IsEqual(back));
    EXPECT_EQ(CZUDPAppointment::kNoColor, target.GetDurationColor());

    // Properties from a clipboard archive may hold anything: wrong kinds
    // are skipped, the rest applies.
    CZUDPAppointmentPropertyList odd;
    odd.Add(ZUDP_APPOINTMENT_PROPERTY_START, new CZUDPAppointmentProperty("not a date"));
    odd.Add(ZUDP_APPOINTMENT_PROPERTY_BACKGROUND, ImagesProperty({ 1 }));
    odd.Add(ZUDP_APPOINTMENT_PROPERTY_IMAGES, new CZUDPAppointmentProperty(3));
    odd.Add(ZUDP_APPOINTMENT_PROPERTY_ALLDAY, new CZUDPAppointmentProperty("maybe"));
    odd.Add(ZUDP_APPOINTMENT_PROPERTY_FOREGROUND, new CZUDPAppointmentProperty(COleVariant(1e12)));
    odd.Add(ZUDP_APPOINTMENT_PROPERTY_DESCRIPTION, new CZUDPAppointmentProperty(42));
    odd[ZUDP_APPOINTMENT_PROPERTY_FINISH] = nullptr;
    target.SetProperties(odd);
    EXPECT_TRUE(target.GetStart() == Date(2024, 5, 6, 9, 0, 0));
    EXPECT_EQ(COLORREF(0x00123456), target.GetBackgroundColor());
    EXPECT_EQ(2, target.GetImages().GetCount());
    EXPECT_FALSE(target.IsAllDay());
    EXPECT_STREQ("42", target.GetDescription());   // a number converts to text
    EXPECT_FALSE(target.IsRecurrenceException());
}
