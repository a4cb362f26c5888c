#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/sysEventComponent.h"
#include "core/sysEventHandler.h"

namespace {

// Records what it handles as "name:kind/code" and runs an optional hook.
class TProbe : public TsysEventComponent {
 public:
  TProbe(std::string name, std::vector<std::string>* log, std::uint64_t mask = 0x7FFF)
      : Name(std::move(name)), Log(log) {
    EventMask = mask;
  }
  void HandleEvent(TsysEvent* e) override {
    Log->push_back(Name + ":" + std::to_string(e->Kind) + "/" + std::to_string(e->Code));
    if (OnHandle) OnHandle(e);
  }
  void ProcessEvents() override {
    TsysEventComponent::ProcessEvents();
    ++Steps;
    if (OnStep) OnStep();
  }
  std::string Name;
  std::vector<std::string>* Log;
  std::function<void(TsysEvent*)> OnHandle;
  std::function<void()> OnStep;
  int Steps = 0;
};

class BusTest : public ::testing::Test {
 protected:
  TsysEventHandler Bus;
  std::vector<std::string> Log;
};

TEST_F(BusTest, QueuedEventsArriveOnTheNextTickInRegistrationOrder) {
  TProbe sender("s", &Log), a("a", &Log), b("b", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  Bus.Register(&b);
  sender.PostEvent(pmQueued, ekGame, 16, 7, 9);
  EXPECT_TRUE(Log.empty());
  Bus.Tick();
  EXPECT_EQ(Log, (std::vector<std::string>{"a:256/16", "b:256/16"}));
  Bus.Tick();
  EXPECT_EQ(Log.size(), 2u) << "an event is delivered once";
}

TEST_F(BusTest, ImmediateEventsAreHandledBeforePostReturnsEvenWhenInactive) {
  TProbe sender("s", &Log), a("a", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  Bus.Active = false;
  sender.PostEvent(pmImmediate, ekSound, 7, 0, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"a:16384/7"}));
  // Any mode other than immediate is queued.
  sender.PostEvent(5, ekSound, 8, 0, 0);
  EXPECT_EQ(Log.size(), 1u);
}

TEST_F(BusTest, MaskSenderAndSystemRules) {
  TProbe sender("s", &Log), mouseOnly("m", &Log, ekMouse), none("n", &Log, 0);
  Bus.Register(&sender);
  Bus.Register(&mouseOnly);
  Bus.Register(&none);
  sender.PostEvent(pmImmediate, ekGame, 1, 0, 0);   // nobody but the sender subscribes
  sender.PostEvent(pmImmediate, ekMouse, 2, 0, 0);  // the mouse subscriber only
  sender.PostEvent(pmImmediate, ekSystem, 3, 0, 0); // reaches its own sender too
  EXPECT_EQ(Log, (std::vector<std::string>{"m:2048/2", "s:2/3"}));
}

TEST_F(BusTest, ComponentRegisteredTwiceGetsEachEventTwiceAndUnregisterRemovesBoth) {
  TProbe sender("s", &Log), a("a", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  Bus.Register(&a);
  sender.PostEvent(pmQueued, ekGame, 1, 0, 0);
  Bus.Tick();
  EXPECT_EQ(Log, (std::vector<std::string>{"a:256/1", "a:256/1"}));
  Bus.Unregister(&a);
  Bus.Tick();
  EXPECT_EQ(Bus.Components.size(), 1u);
  EXPECT_FALSE(Bus.Register(nullptr));
}

TEST_F(BusTest, HandledQueuedEventStopsReachingLaterReceiversThatAlreadyQueuedIt) {
  TProbe sender("s", &Log), a("a", &Log), b("b", &Log);
  a.OnHandle = [](TsysEvent* e) { e->Handled = true; };
  Bus.Register(&sender);
  Bus.Register(&a);
  Bus.Register(&b);
  sender.PostEvent(pmQueued, ekMouse, 3, 0, 0);
  Bus.Tick();
  EXPECT_EQ(Log, (std::vector<std::string>{"a:2048/3"}));
}

TEST_F(BusTest, QueuedEventPostedWhileInactiveIsDeliveredAfterReactivation) {
  TProbe sender("s", &Log), a("a", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  Bus.Active = false;
  sender.PostEvent(pmQueued, ekGame, 1, 0, 0);
  sender.PostEvent(pmQueued, ekGame, 2, 0, 0);
  Bus.Tick();
  Bus.Tick();
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(a.Steps, 0) << "no step runs while inactive";
  Bus.Active = true;
  Bus.Tick();
  EXPECT_EQ(Log, (std::vector<std::string>{"a:256/1", "a:256/2"}));
}

TEST_F(BusTest, ComponentUnregisteredDuringAnEarlierProcessEventsIsSkippedThatTick) {
  TProbe a("a", &Log), b("b", &Log), c("c", &Log);
  Bus.Register(&a);
  Bus.Register(&b);
  Bus.Register(&c);
  a.OnStep = [&] { Bus.Unregister(&b); };
  Bus.Tick();
  EXPECT_EQ(a.Steps, 1);
  EXPECT_EQ(b.Steps, 0);
  EXPECT_EQ(c.Steps, 1);
  EXPECT_EQ(Bus.Components, (std::vector<TsysEventComponent*>{&a, &c}));
}

TEST_F(BusTest, ComponentRegisteredDuringATickIsFirstCalledOnTheNextTick) {
  TProbe a("a", &Log), late("late", &Log);
  Bus.Register(&a);
  a.OnStep = [&] {
    if (a.Steps == 1) Bus.Register(&late);
  };
  Bus.Tick();
  EXPECT_EQ(late.Steps, 0);
  Bus.Tick();
  EXPECT_EQ(late.Steps, 1);
}

TEST_F(BusTest, ReentrantPostsDuringDispatch) {
  TProbe sender("s", &Log), a("a", &Log), b("b", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  Bus.Register(&b);
  // a answers a queued event with an immediate one (nested) and a queued one (next tick).
  a.OnHandle = [&](TsysEvent* e) {
    if (e->Code == 1) {
      a.PostEvent(pmImmediate, ekGame, 2, 0, 0);
      a.PostEvent(pmQueued, ekGame, 3, 0, 0);
    }
  };
  sender.PostEvent(pmQueued, ekGame, 1, 0, 0);
  Bus.Tick();
  EXPECT_EQ(Log, (std::vector<std::string>{"a:256/1", "s:256/2", "b:256/2", "b:256/1"}));
  Log.clear();
  Bus.Tick();
  EXPECT_EQ(Log, (std::vector<std::string>{"s:256/3", "b:256/3"}));
}

TEST_F(BusTest, RecordsLiveOneTickAfterDispatchAndArePooled) {
  TProbe sender("s", &Log), a("a", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  sender.PostEvent(pmQueued, ekGame, 1, 11, 0);
  TsysEvent* first = sender.CurrentEvent;
  Bus.Tick();
  ASSERT_EQ(Bus.Retired.size(), 1u);
  EXPECT_EQ(Bus.Retired[0], first);
  EXPECT_EQ(first->Param, 11) << "still readable during the tick after dispatch";
  Bus.Tick();
  EXPECT_TRUE(Bus.Retired.empty());
  sender.PostEvent(pmQueued, ekGame, 2, 0, 0);
  EXPECT_EQ(sender.CurrentEvent, first) << "a retired record is reused";
  EXPECT_FALSE(sender.CurrentEvent->Handled);
}

TEST_F(BusTest, InactiveComponentDeliversNothingButItsQueueIsEmptied) {
  TProbe sender("s", &Log), a("a", &Log);
  Bus.Register(&sender);
  Bus.Register(&a);
  a.Active = false;
  sender.PostEvent(pmQueued, ekGame, 1, 0, 0);
  Bus.Tick();
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(a.EventQueue.empty());
}

TEST_F(BusTest, UnregisteredComponentCannotPost) {
  TProbe loose("loose", &Log), a("a", &Log);
  Bus.Register(&a);
  loose.PostEvent(pmImmediate, ekGame, 1, 0, 0);
  EXPECT_TRUE(Log.empty());
}

}  // namespace
