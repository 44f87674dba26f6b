// The SNTP command of the menu form over real Winsock sockets on loopback, with a fake clock setter and
// scripted boxes. The computer's clock is never touched.
#include <gtest/gtest.h>

#include "form2.h"
#include "menu_texts.h"
#include "menu_win_fakes.h"

namespace tkt {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackUdp;
using testing::ScriptedBoxes;
using testing::ServerReply;

constexpr uint32_t k2002 = 0xC0FF86F0;  // 2002-08-10 12:34:56 UTC
constexpr uint32_t k1970 = 0x83AA7E80;

class SntpOverLoopback : public ::testing::Test {
 protected:
  void SetUp() override { Start("127.0.0.1"); }
  void TearDown() override { Stop(); }

  void Start(const std::string& host, uint16_t localPort = 0) {
    Stop();
    local = localPort ? localPort : testing::FreeUdpPort();
    MenuFormOptions options;
    options.server = {host, server.Port(), local};
    options.setClock = [this](const UtcDateTime& t) {
      setTimes.push_back(t);
      return setResult;
    };
    options.boxes = &boxes;
    options.now = [this] { return nowMicros; };
    boxes.clockEnabled = [this] { return IsWindowEnabled(clock.ClockWindow()) != FALSE; };
    form2 = Form2::Create(clock.ClockWindow(), clock, std::move(options));
    ASSERT_NE(form2, nullptr);
    formWindow = form2->Window();
  }
  void Stop() {
    if (formWindow && IsWindow(formWindow)) DestroyWindow(formWindow);
    formWindow = nullptr;
    form2 = nullptr;
  }

  bool SocketOpen() { return IsWindow(formWindow) && form2->Socket().LocalPort() != 0; }

  // The server's side while the notice box is open: takes the request and, when given, answers it.
  std::optional<LoopbackUdp::Datagram> TakeRequest() {
    auto request = server.Receive(3s);
    EXPECT_TRUE(request.has_value()) << "no request reached the server";
    return request;
  }
  void AnswerAndWait(const LoopbackUdp::Datagram& request, const std::vector<uint8_t>& reply) {
    server.SendTo(request.from, reply);
    EXPECT_TRUE(testing::PumpUntil([this] { return !SocketOpen(); })) << "the reply was not taken";
  }

  testing::WinsockSession winsock;
  testing::FakeClock clock;
  LoopbackUdp server;
  ScriptedBoxes boxes;
  uint16_t local = 0;
  Form2* form2 = nullptr;
  HWND formWindow = nullptr;
  std::vector<UtcDateTime> setTimes;
  ClockSetResult setResult = ClockSetResult::kSet;
  int64_t nowMicros = 1'000'000;
};

TEST_F(SntpOverLoopback, YesSetsTheServerTimePlusTheTimeSinceItsReplyCame) {
  boxes.script = {{IDYES, nullptr},
                  {IDOK,
                   [this] {
                     auto request = TakeRequest();
                     ASSERT_TRUE(request);
                     std::vector<uint8_t> expected(48, 0);
                     expected[0] = 0x0B;
                     EXPECT_EQ(request->bytes, expected);
                     EXPECT_EQ(ntohs(request->from.sin_port), local);
                     AnswerAndWait(*request, ServerReply(k2002, 0x40000000));  // 12:34:56.25
                     nowMicros += 3'250'000;  // the box stays open a while after the reply
                   }},
                  {IDOK, nullptr}};
  form2->Click(MenuCommand::mnusntp);
  ASSERT_EQ(setTimes.size(), 1u);
  EXPECT_EQ(setTimes[0], (UtcDateTime{2002, 8, 10, 12, 34, 59, 500, 6}));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpWaitText, kSntpSetText}));
  EXPECT_EQ(boxes.shown[0].title, L"接続確認");
  EXPECT_EQ(boxes.shown[0].style, 308u);
  for (const auto& box : boxes.shown) EXPECT_FALSE(box.clockEnabled) << "the clock took input under a box";
  EXPECT_TRUE(IsWindowEnabled(clock.ClockWindow()));
}

TEST_F(SntpOverLoopback, NoReplyBeforeTheBoxClosesSaysDoItAgainAndALateReplyChangesNothing) {
  std::optional<LoopbackUdp::Datagram> request;
  boxes.script = {{IDYES, nullptr}, {IDOK, [&] { request = TakeRequest(); }}, {IDOK, nullptr}};
  form2->Click(MenuCommand::mnusntp);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpWaitText, kSntpNoReplyText}));
  EXPECT_EQ(boxes.shown[2].title, kApplicationTitle);
  ASSERT_TRUE(request);
  server.SendTo(request->from, ServerReply(k2002));
  testing::PumpUntil([] { return false; }, 200ms);
  EXPECT_TRUE(setTimes.empty());
}

TEST_F(SntpOverLoopback, UnresolvableHostOrATakenLocalPortSaysTryAgain) {
  LoopbackUdp holder;
  for (auto [host, port] : {std::pair<const char*, uint16_t>{"no such host", 0}, {"127.0.0.1", holder.Port()}}) {
    Start(host, port);  // "no such host" is not a valid name, so no resolver is asked
    boxes.shown.clear();
    boxes.script = {{IDYES, nullptr}, {IDOK, nullptr}};
    form2->Click(MenuCommand::mnusntp);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kSntpConfirmText, kSntpSendFailedText})) << host;
    EXPECT_EQ(boxes.shown[1].title, kApplicationTitle);
  }
  EXPECT_TRUE(setTimes.empty());
}

TEST_F(SntpOverLoopback, DatagramsFromElsewhereOrNotFromAServerAreIgnored) {
  LoopbackUdp stranger;
  boxes.script = {{IDYES, nullptr},
                  {IDOK,
                   [&] {
                     auto request = TakeRequest();
                     ASSERT_TRUE(request);
                     stranger.SendTo(request->from, ServerReply(k1970));           // another port
                     server.SendTo(request->from, ServerReply(k1970, 0, 0x0B));    // mode 3
                     server.SendTo(request->from, ServerReply(k1970, 0, 0xCC));    // leap 3
                     AnswerAndWait(*request, ServerReply(k2002));
                   }},
                  {IDOK, nullptr}};
  form2->Click(MenuCommand::mnusntp);
  ASSERT_EQ(setTimes.size(), 1u);
  EXPECT_EQ(setTimes[0].year, 2002);
}

}  // namespace
}  // namespace tkt
