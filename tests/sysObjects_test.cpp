#include <gtest/gtest.h>

#include <memory>

#include "core/sysEventHandler.h"
#include "data/sysResources.h"
#include "objects/sysForm.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "testSupport.h"

namespace {

class ObjectsTest : public ::testing::Test {
 protected:
  ObjectsTest() : Iface(nullptr, &Bus, Dir.Path()) { Bus.Register(Iface.Objects.get()); }
  TsysObjects& Objects() { return *Iface.Objects; }
  TTempDir Dir;
  TsysEventHandler Bus;
  TsysInterface Iface;
};

TEST_F(ObjectsTest, CreateRejectsBadLayerTypeAndGroup) {
  EXPECT_EQ(Objects().CreateObject(0, otStatic, 0, 0, 35, 10, 10), nullptr);
  EXPECT_EQ(Objects().CreateObject(0, 18, 0, 0, 1, 10, 10), nullptr);
  EXPECT_EQ(Objects().CreateObject(23, otStatic, 0, 0, 1, 10, 10), nullptr);
  EXPECT_EQ(Objects().CreateObject(0, otStatic, 0, 0, -1, 10, 10), nullptr);
  EXPECT_EQ(Objects().Count(), 0);
  TobjBase* top = Objects().CreateObject(0, otStatic, 0, 0, 34.6, 10, 10);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(Objects().LayerObject(34, 0), top) << "a layer just under 35 lands in the last list";
  TobjBase* map = Objects().CreateObject(3, otMap, 0, 0, 12, 10, 10);
  EXPECT_EQ(map->Layer, 0) << "the map is always on layer 0";
}

TEST_F(ObjectsTest, NewObjectsAreListedEverywhereAndRegistered) {
  TobjBase* a = Objects().CreateObject(4, otStatic, 5, 6, 2.4, 100, 20);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Index, 0);
  EXPECT_EQ(Objects().LayerObject(2, 0), a);
  EXPECT_EQ(Objects().TypeObject(otStatic, 0), a);
  EXPECT_EQ(Objects().GroupObject(4, 0), a);
  EXPECT_EQ(a->MainItem->Width, 100);
  EXPECT_EQ(a->Space, csWorld);
  EXPECT_EQ(Bus.Components.back(), a);
  EXPECT_TRUE(Objects().IsAlive(a));
  EXPECT_EQ(Objects().ObjectAt(1), nullptr);
  EXPECT_EQ(Objects().LayerObject(40, 0), nullptr);
}

TEST_F(ObjectsTest, DeletedObjectsAreUnlistedAtOnceAndTheListPacksOnTheNextStep) {
  std::vector<TobjBase*> made;
  for (int i = 0; i < 10; ++i) made.push_back(Objects().CreateObject(1, otStatic, i, 0, 1, 1, 1));
  Objects().DeleteObject(3);
  Objects().DeleteObject(5);
  Objects().DeleteObject(5);  // already gone
  Objects().DeleteObject(99);
  EXPECT_EQ(Objects().Count(), 10);
  EXPECT_EQ(Objects().ObjectAt(3), nullptr);
  EXPECT_EQ(Objects().GroupSize(1), 8);
  EXPECT_EQ(Objects().LayerSize(1), 8);
  EXPECT_FALSE(Objects().IsAlive(made[3]));
  Bus.Tick();
  ASSERT_EQ(Objects().Count(), 8);
  const int expected[] = {0, 1, 2, 4, 6, 7, 8, 9};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Objects().ObjectAt(i), made[expected[i]]);
    EXPECT_EQ(Objects().ObjectAt(i)->Index, i);
  }
}

TEST_F(ObjectsTest, DeleteGroupLeavesOtherGroupsAndIgnoresBadGroups) {
  for (int i = 0; i < 3; ++i) Objects().CreateObject(2, otStatic, 0, 0, 1, 1, 1);
  TobjBase* keep = Objects().CreateObject(5, otStatic, 0, 0, 1, 1, 1);
  Objects().DeleteGroup(9);
  Objects().DeleteGroup(23);
  Objects().DeleteGroup(-1);
  Objects().DeleteGroup(2);
  EXPECT_EQ(Objects().GroupSize(2), 0);
  EXPECT_EQ(Objects().GroupObject(5, 0), keep);
  Bus.Tick();
  EXPECT_EQ(Objects().Count(), 1);
  EXPECT_EQ(keep->Index, 0);
}

TEST_F(ObjectsTest, ItemsSortByLayerStablyAndTheMainItemCannotBeRemoved) {
  TobjBase* o = Objects().CreateObject(0, otStatic, 0, 0, 1, 10, 10);
  TrndGfx* main = o->MainItem;
  TrndGfx* a = o->AddItem(0, 0);
  TrndGfx* b = o->AddItem(0, 0);
  TrndGfx* c = o->AddItem(0, 0);
  b->SetLayer(2);
  a->SetLayer(1);
  EXPECT_EQ(o->Item(0), main);
  EXPECT_EQ(o->Item(1), c) << "equal layers keep their order";
  EXPECT_EQ(o->Item(2), a);
  EXPECT_EQ(o->Item(3), b);
  o->RemoveItem(main);
  EXPECT_EQ(o->ItemCount(), 4);
  o->RemoveItem(a);
  EXPECT_EQ(o->ItemCount(), 3);
  o->DeleteItem(7);
  EXPECT_EQ(o->Item(3), nullptr);
  o->SetColor(0x00FF00);
  TrndText* t = o->AddText();
  o->SetColor(0xFF0000);
  EXPECT_EQ(t->Color, 0xFFFFFFu) << "text items keep their colour";
  EXPECT_EQ(main->Color, 0xFF0000u);
  o->SetAlpha(77);
  EXPECT_EQ(t->Alpha, 77);
}

// A screen with two objects whose items start at alpha 255 and 100.
class TFadeScreen : public TsysForm {
 public:
  TFadeScreen(TsysInterface* iface, bool fades) : TsysForm(nullptr, iface, 6, 5, fades) {}
  void BuildScreen() override {
    Objects()->CreateObject(Group, otStatic, 0, 0, 2, 10, 10);
    TobjBase* half = Objects()->CreateObject(Group, otStatic, 0, 0, 2, 10, 10);
    half->SetAlpha(100);
  }
  void ScreenShown() override { ++Shown; }
  int Shown = 0;
};

class TScreenSpy : public TsysEventComponent {
 public:
  TScreenSpy() { EventMask = ekScreen; }
  void HandleEvent(TsysEvent* e) override { Got.push_back({e->Code, e->Param, e->Value}); }
  struct TGot {
    std::uint16_t Code;
    std::intptr_t Param;
    std::int32_t Value;
  };
  std::vector<TGot> Got;
};

TEST_F(ObjectsTest, ScreenFadesInOverFifteenStepsAndShowsFullItemsAtTwoFiftyFour) {
  TFadeScreen screen(&Iface, true);
  screen.Start();
  Bus.Register(&screen);
  TrndGfx* full = Objects().GroupObject(6, 0)->MainItem;
  TrndGfx* half = Objects().GroupObject(6, 1)->MainItem;
  EXPECT_EQ(full->Alpha, 0);
  EXPECT_EQ(full->FadeBaseAlpha, 255);
  EXPECT_EQ(half->FadeBaseAlpha, 100);
  for (int i = 0; i < 14; ++i) Bus.Tick();
  EXPECT_TRUE(screen.FadingIn);
  EXPECT_EQ(screen.Shown, 0);
  Bus.Tick();
  EXPECT_FALSE(screen.FadingIn);
  EXPECT_EQ(screen.Shown, 1);
  EXPECT_EQ(full->Alpha, 254);
  EXPECT_EQ(half->Alpha, 99);
  Bus.Unregister(&screen);
}

TEST_F(ObjectsTest, ScreenClosesOnItsCloseCodeAfterFifteenStepsAndPostsOnce) {
  TFadeScreen screen(&Iface, true);
  screen.Start();
  TScreenSpy spy;
  TsysEventComponent poster;
  Bus.Register(&poster);
  Bus.Register(&screen);
  Bus.Register(&spy);
  for (int i = 0; i < 20; ++i) Bus.Tick();
  poster.PostEvent(pmQueued, ekForm, 4, 9, 1);  // not its close code
  poster.PostEvent(pmQueued, ekForm, 5, 9, 3);
  Bus.Tick();  // handled: the fade-out starts this step
  for (int i = 0; i < 14; ++i) Bus.Tick();
  EXPECT_TRUE(spy.Got.empty());
  Bus.Tick();
  Bus.Tick();
  ASSERT_EQ(spy.Got.size(), 1u);
  EXPECT_EQ(spy.Got[0].Code, 9);
  EXPECT_EQ(spy.Got[0].Param, 6) << "the screen's group";
  EXPECT_EQ(spy.Got[0].Value, 3);
  for (int i = 0; i < 20; ++i) Bus.Tick();
  EXPECT_EQ(spy.Got.size(), 1u);
  Bus.Unregister(&screen);
}

TEST_F(ObjectsTest, ScreenAskedToCloseWhileFadingInPostsItsRequestOnce) {
  TFadeScreen screen(&Iface, true);
  screen.Start();
  TScreenSpy spy;
  Bus.Register(&screen);
  Bus.Register(&spy);
  Bus.Tick();
  Bus.Tick();
  screen.CloseTo(1, 0);
  for (int i = 0; i < 40; ++i) Bus.Tick();
  EXPECT_EQ(spy.Got.size(), 1u);
  EXPECT_FALSE(screen.FadingIn);
  Bus.Unregister(&screen);
}

TEST_F(ObjectsTest, ScreenWithoutFadeIsShownEveryStepAndClosesInTheSameStep) {
  TFadeScreen screen(&Iface, false);
  screen.Start();
  TScreenSpy spy;
  Bus.Register(&screen);
  Bus.Register(&spy);
  Bus.Tick();
  Bus.Tick();
  EXPECT_EQ(screen.Shown, 2);
  EXPECT_EQ(Objects().GroupObject(6, 0)->MainItem->Alpha, 255) << "no fade, no alpha change";
  screen.BeginClose();
  screen.NextScreen = 4;
  Bus.Tick();  // posts
  Bus.Tick();  // delivered
  EXPECT_EQ(spy.Got.size(), 1u);
  Bus.Unregister(&screen);
}

TEST_F(ObjectsTest, FreeingAScreenDeletesItsGroup) {
  {
    TFadeScreen screen(&Iface, true);
    screen.Start();
    EXPECT_EQ(Objects().GroupSize(6), 2);
  }
  EXPECT_EQ(Objects().GroupSize(6), 0);
}

TEST_F(ObjectsTest, ObjectDeletedInsideAHandlerIsFreedOnlyAtTheManagersNextStep) {
  struct TSelfDeleter : TsysEventComponent {
    TsysObjects* Objects = nullptr;
    TobjBase* Victim = nullptr;
    void ProcessEvents() override {
      if (Victim) {
        Objects->DeleteObject(Victim->Index);
        Victim->X = 42;  // still safe to touch until the manager's next step
        Victim = nullptr;
      }
    }
  } deleter;
  deleter.Objects = &Objects();
  deleter.Victim = Objects().CreateObject(0, otStatic, 0, 0, 1, 1, 1);
  Bus.Register(&deleter);
  Bus.Tick();
  Bus.Tick();
  EXPECT_EQ(Objects().Count(), 0);
}

}  // namespace
