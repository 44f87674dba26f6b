// The menu form's decisions, the SNTP exchange and dragging, run against fakes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "menu_fakes.h"
#include "menu_form.h"
#include "menu_texts.h"
#include "sntp_exchange.h"
#include "window_drag.h"

namespace tkt {
namespace {

using testing::ScriptedBoxes;
using testing::ServerReply;

class FakeSocket : public SntpSocket {
 public:
  void Close() override {
    log.push_back("close");
    open = false;
  }
  bool Open(const std::string& host, uint16_t remotePort, uint16_t localPort) override {
    log.push_back("open " + host + ":" + std::to_string(remotePort) + " from " + std::to_string(localPort));
    open = opens;
    return opens;
  }
  bool Send(std::span<const uint8_t> datagram) override {
    log.push_back("send " + std::to_string(datagram.size()));
    sent.assign(datagram.begin(), datagram.end());
    return sends;
  }
  bool opens = true, sends = true, open = false;
  std::vector<std::string> log;
  std::vector<uint8_t> sent;
};

constexpr uint32_t k2002 = 0xC0FF86F0;  // 2002-08-10 12:34:56 UTC
constexpr unsigned kConfirmStyle = 308;

class SntpCommandTest : public ::testing::Test {
 protected:
  SntpCommand command{socket, boxes,
                      [this](const UtcDateTime& t) {
                        setTimes.push_back(t);
                        return setResult;
                      },
                      [this] { return nowMicros; }, SntpServer{"time.test", 123, 1024}};

  // The reply comes while the notice box is open, "seconds" after it.
  ScriptedBoxes::Answer WaitAnd(std::function<void()> duringWait) { return {kIdOk, std::move(duringWait)}; }
  void Arrive(const std::vector<uint8_t>& datagram, bool fromServer = true) {
    command.wscSock_DataArrival(datagram, fromServer);
  }

  FakeSocket socket;
  ScriptedBoxes boxes;
  std::vector<UtcDateTime> setTimes;
  ClockSetResult setResult = ClockSetResult::kSet;
  int64_t nowMicros = 5'000'000;
};

TEST_F(SntpCommandTest, YesSetsTheServerTimePlusTheTimeTheBoxStayedOpen) {
  boxes.script = {{kIdYes, nullptr},
                  WaitAnd([this] {
                    nowMicros += 300'000;
                    Arrive(ServerReply(k2002, 0x80000000));  // 12:34:56.5
                    Arrive(ServerReply(0x83AA7E80));         // only the first accepted reply counts
                    nowMicros += 2'750'000;                  // the user reads the box for 2.75 s
                  }),
                  {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(socket.log, (std::vector<std::string>{"close", "open time.test:123 from 1024", "send 48", "close"}));
  const auto request = BuildSntpRequest();
  EXPECT_EQ(socket.sent, std::vector<uint8_t>(request.begin(), request.end()));
  ASSERT_EQ(setTimes.size(), 1u);
  EXPECT_EQ(setTimes[0], (UtcDateTime{2002, 8, 10, 12, 34, 59, 250, 6}));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpWaitText, kSntpSetText}));
  EXPECT_EQ(boxes.shown[0].style, kConfirmStyle);  // Yes/No, question, No as default
  EXPECT_FALSE(socket.open);
}

TEST_F(SntpCommandTest, AWellFormedReplyFromAnotherSenderIsIgnored) {
  boxes.script = {{kIdYes, nullptr}, WaitAnd([this] {
                    Arrive(ServerReply(0x83AA7E80), false);  // 1970, from a stranger
                    Arrive(ServerReply(k2002));
                  }),
                  {kIdOk, nullptr}};
  command.mnusntp_Click();
  ASSERT_EQ(setTimes.size(), 1u);
  EXPECT_EQ(setTimes[0].year, 2002);
}

TEST_F(SntpCommandTest, NoReplyBeforeTheBoxClosesLeavesTheClockAlone) {
  boxes.script = {{kIdYes, nullptr}, {kIdOk, nullptr}, {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_TRUE(setTimes.empty());
  EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpWaitText, kSntpNoReplyText}));
  // A reply straggling in afterwards finds the port closed and is dropped.
  EXPECT_FALSE(socket.open);
  Arrive(ServerReply(k2002));
  boxes.script = {{kIdYes, nullptr}, {kIdOk, nullptr}, {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_TRUE(setTimes.empty());
}

TEST_F(SntpCommandTest, ASecondRequestWithoutAReplyDoesNotReuseTheFirstOne) {
  boxes.script = {{kIdYes, nullptr}, WaitAnd([this] { Arrive(ServerReply(k2002)); }), {kIdOk, nullptr}};
  command.mnusntp_Click();
  ASSERT_EQ(setTimes.size(), 1u);
  boxes.script = {{kIdYes, nullptr}, {kIdOk, nullptr}, {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(setTimes.size(), 1u);
  EXPECT_EQ(boxes.Texts().back(), kSntpNoReplyText);
}

TEST_F(SntpCommandTest, SetUpOrSendFailureSaysTryAgainAndNeverWaits) {
  socket.opens = false;  // host not found or port taken
  boxes.script = {{kIdYes, nullptr}, {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpSendFailedText}));

  socket.opens = true;
  socket.sends = false;
  boxes.shown.clear();
  boxes.script = {{kIdYes, nullptr}, {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpSendFailedText}));
  EXPECT_FALSE(socket.open);
  EXPECT_TRUE(setTimes.empty());
}

TEST_F(SntpCommandTest, SetterFailureIsReportedNotCalledSuccess) {
  setResult = ClockSetResult::kNoPrivilege;
  boxes.script = {{kIdYes, nullptr}, WaitAnd([this] { Arrive(ServerReply(k2002)); }), {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(setTimes.size(), 1u);
  EXPECT_EQ(boxes.Texts().back(), kSntpNoPrivilegeText);
  EXPECT_EQ(boxes.shown.back().title, kApplicationTitle);

  setResult = ClockSetResult::kFailed;
  boxes.script = {{kIdYes, nullptr}, WaitAnd([this] { Arrive(ServerReply(k2002)); }), {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(boxes.Texts().back(), kSntpSetFailedText);
  for (const auto& b : boxes.shown) EXPECT_NE(b.text, kSntpSetText);
}

TEST_F(SntpCommandTest, SocketErrorClosesAndEndsInNoReply) {
  boxes.script = {{kIdYes, nullptr},
                  WaitAnd([this] {
                    command.wscSock_Error();
                    EXPECT_FALSE(socket.open);
                    Arrive(ServerReply(k2002));
                  }),
                  {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_TRUE(setTimes.empty());
  EXPECT_EQ(boxes.Texts().back(), kSntpNoReplyText);
}

TEST_F(SntpCommandTest, AClickFromInsideItsOwnBoxIsIgnored) {
  boxes.script = {{kIdYes, nullptr}, WaitAnd([this] { command.mnusntp_Click(); }), {kIdOk, nullptr}};
  command.mnusntp_Click();
  EXPECT_EQ(boxes.shown.size(), 3u);
  EXPECT_FALSE(command.Running());
}

// The system and the clock window in one, so the order of their calls shows.
class FakeHost : public MenuHost, public ClockWindowLink {
 public:
  std::wstring CurrentDirectory() override { return cwd; }
  std::optional<std::wstring> Environment(const std::wstring& name) override {
    return name == L"TZ" ? tz : std::nullopt;
  }
  void SetTzLabel(const std::wstring& caption) override { tzLabel = caption; }
  bool StartProgram(const std::wstring& path) override {
    calls.push_back(L"start " + path);
    return starts;
  }
  void EndProcess() override { calls.push_back(L"end"); }
  bool SaveWindowPos(const std::wstring& app) override {
    calls.push_back(L"save " + app);
    return saves;
  }
  void RestoreWindowPos(const std::wstring& app) override { calls.push_back(L"restore " + app); }
  bool FileExists(const std::wstring& path) override { return path == existing; }
  bool OpenDocument(const std::wstring& path) override {
    calls.push_back(L"open " + path);
    return opens;
  }
  void ShowVersionWindow() override { calls.push_back(L"version"); }
  void UnloadClockWindow() override { calls.push_back(L"unload clock"); }
  void UnloadMenuForm() override { calls.push_back(L"unload menu"); }

  std::wstring cwd = L"C:\\tkt\\program";
  std::optional<std::wstring> tz;
  std::wstring tzLabel = L"(unset)";
  std::wstring existing;
  bool starts = true, saves = true, opens = true;
  std::vector<std::wstring> calls;
};

class MenuFormTest : public ::testing::Test {
 protected:
  FakeHost host;
  ScriptedBoxes boxes;
  FakeSocket socket;
  SntpCommand sntp{socket, boxes, [](const UtcDateTime&) { return ClockSetResult::kSet; }, [] { return int64_t{0}; },
                   SntpServer{"time.test"}};
  MenuForm form{host, host, boxes, sntp};
};

TEST_F(MenuFormTest, LoadShowsTz) {
  for (auto [tz, label] : {std::pair<std::optional<std::wstring>, std::wstring>{std::nullopt, L"TZ="},
                           {L"JST-9", L"TZ=JST-9"}, {L"", L"TZ="}}) {
    host.tz = tz;
    form.Form_Load();
    EXPECT_EQ(host.tzLabel, label);
  }
}

TEST_F(MenuFormTest, ToolStartsTheDesignerThenEndsTheClockOrSaysItCannot) {
  form.Click(MenuCommand::mnutool);
  EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"start ..\\tkttool.exe", L"end"}));
  EXPECT_TRUE(boxes.shown.empty());
  host.calls.clear();
  host.starts = false;  // the clock keeps running
  boxes.script = {{kIdOk, nullptr}};
  form.Click(MenuCommand::mnutool);
  EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"start ..\\tkttool.exe"}));
  EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kToolStartFailedText});
}

TEST_F(MenuFormTest, HelpOpensThePageBesideTheCurrentDirectoryOrSaysWhyNot) {
  boxes.script = {{kIdOk, nullptr}, {kIdOk, nullptr}};
  form.Click(MenuCommand::mnuHelp);
  EXPECT_TRUE(host.calls.empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text.find(kHelpMissingText), 0u);
  EXPECT_NE(boxes.shown[0].text.find(L"C:\\tkt\\program\\help\\clock.html"), std::wstring::npos);

  host.existing = L"C:\\tkt\\program\\help\\clock.html";
  form.Click(MenuCommand::mnuHelp);
  EXPECT_EQ(host.calls, std::vector<std::wstring>{L"open C:\\tkt\\program\\help\\clock.html"});
  host.opens = false;
  form.Click(MenuCommand::mnuHelp);
  EXPECT_EQ(boxes.shown[1].text.find(kHelpOpenFailedText), 0u);
}

TEST_F(MenuFormTest, ExitUnloadsTheClockWindowFirst) {
  form.Click(MenuCommand::mnuExit);
  EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"unload clock", L"unload menu"}));
}

TEST(WindowDrag, PointerKeepsItsPlaceOnTheFace) {
  WindowDrag drag;
  EXPECT_EQ(drag.Form_MouseDown(kLeftButton, {30, 40}), WindowDrag::Action::kStartDrag);
  // The pointer moved by (+25, -12) before the window followed.
  EXPECT_EQ(drag.Form_MouseMove({700, 500}, {55, 28}), (DragPoint{725, 488}));
  // Once the window is there, the pointer is back at its place and nothing moves.
  EXPECT_EQ(drag.Form_MouseMove({725, 488}, {30, 40}), (DragPoint{725, 488}));
  drag.Form_MouseUp();
  EXPECT_FALSE(drag.Form_MouseMove({725, 488}, {90, 90}));
}

// Drawn again at 150 % mid-drag, the face point under the pointer is 1.5 times as far from the corner.
TEST(WindowDrag, AScaleChangeMidDragKeepsTheGrabbedFacePoint) {
  WindowDrag drag;
  drag.Form_MouseDown(kLeftButton, {30, 41});
  drag.Rescale(96, 144);
  EXPECT_EQ(drag.Grabbed(), (DragPoint{45, 62}));
  EXPECT_EQ(drag.Form_MouseMove({700, 500}, {45, 62}), (DragPoint{700, 500}));
}

TEST(WindowDrag, RightClickDuringADragOpensTheMenuAndAnyReleaseEndsTheDrag) {
  WindowDrag drag;
  drag.Form_MouseDown(kLeftButton, {10, 10});
  EXPECT_EQ(drag.Form_MouseDown(kRightButton, {12, 12}), WindowDrag::Action::kShowMenu);
  EXPECT_TRUE(drag.Dragging());
  EXPECT_EQ(drag.Form_MouseMove({0, 0}, {15, 10}), (DragPoint{5, 0}));
  drag.Form_MouseUp();
  EXPECT_FALSE(drag.Dragging());
}

}  // namespace
}  // namespace tkt
