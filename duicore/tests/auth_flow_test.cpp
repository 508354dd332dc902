#include "duicore/events/auth_flow.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

// A scripted device and user: answers from queues, every call logged.
struct Script {
  bool answers = true;
  int type = 3;
  std::deque<int> dialogs;       // dialog results
  std::deque<uint32_t> logins;   // login statuses
  std::string errorName;
  std::deque<int> boxes;         // message box answers
  std::vector<std::string> log;

  static bool Ask(void* ctx, int* type) {
    auto* s = static_cast<Script*>(ctx);
    s->log.push_back("ask");
    if (s->answers) *type = s->type;
    return s->answers;
  }
  static int Show(void* ctx, AuthDialogKind kind) {
    auto* s = static_cast<Script*>(ctx);
    s->log.push_back(kind == kAuthMiddleServerDialog ? "middle" : "user");
    if (s->dialogs.empty()) return 2;
    const int r = s->dialogs.front();
    s->dialogs.pop_front();
    return r;
  }
  static uint32_t Login(void* ctx, char* name) {
    auto* s = static_cast<Script*>(ctx);
    s->log.push_back("login");
    std::strncpy(name, s->errorName.c_str(), 259);
    if (s->logins.empty()) return 0;
    const uint32_t r = s->logins.front();
    s->logins.pop_front();
    return r;
  }
  static const char16_t* Find(void*, uint32_t status, const char* name) {
    // As the message table: status 1 and 6 -> 424; "AuthServerNotFound"
    // (any case) -> 430; any other -> 422; status 0 -> 420.
    if (status == 0) return u"420";
    if (status == 1 || status == 6) return u"424";
    std::string lower(name);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower == "authservernotfound") return u"430";
    return u"422";
  }
  static int Box(void* ctx, const char16_t* message, uint32_t tail, bool yesNo) {
    auto* s = static_cast<Script*>(ctx);
    std::string text;
    for (const char16_t* p = message; *p; ++p) text.push_back(static_cast<char>(*p));
    s->log.push_back("box " + text + "/" + std::to_string(tail) + (yesNo ? " yesno" : " ok"));
    if (s->boxes.empty()) return 1;
    const int r = s->boxes.front();
    s->boxes.pop_front();
    return r;
  }
  AuthDevice Device() { return {this, Ask, Show, Login, Find, Box}; }
};

std::string Joined(const std::vector<std::string>& v) {
  std::string out;
  for (const auto& s : v) out += (out.empty() ? "" : ", ") + s;
  return out;
}

AuthFacts Facts(const char* user, const char* track, bool verify, bool popup, bool address = true,
                bool interim = true) {
  return {true, true, interim, user, track, verify, popup, address};
}

TEST(AuthFlow, DecisionTable) {
  struct Case {
    const char* name;
    AuthFacts facts;
    bool answers;
    int type;
    std::deque<int> dialogs;
    std::deque<uint32_t> logins;
    std::string errorName;
    std::deque<int> boxes;
    int want;
    std::string calls;
  } cases[] = {
      {"nothing needed", Facts("DevUserAuthentic_Dis", "DevAccountTrack_Dis", true, true), true, 3, {}, {}, "", {},
       1, ""},
      {"interim without the model switch asks nothing",
       Facts("DevUserAuthentic_InterSV", "DevAccountTrack_Dis", true, true, true, false), true, 3, {}, {}, "", {}, 1,
       ""},
      {"dialog confirmed, device accepts", Facts("DevUserAuthentic_Engin", "DevAccountTrack_Dis", true, true), true, 3,
       {1}, {0}, "", {}, 1, "ask, user, login"},
      {"dialog cancelled drops", Facts("DevUserAuthentic_Engin", "DevAccountTrack_Dis", true, true), true, 3, {2}, {},
       "", {}, 2, "ask, user"},
      {"status 1, No drops", Facts("DevUserAuthentic_Engin", "DevAccountTrack_Dis", true, true), true, 3, {1}, {1}, "",
       {7}, 2, "ask, user, login, box 424/350 yesno"},
      {"status 6, Yes asks again, then accepted", Facts("DevUserAuthentic_Engin", "", true, true), true, 3, {1, 1},
       {6, 0}, "", {6}, 1, "ask, user, login, box 424/350 yesno, user, login"},
      {"error name in another case matches its row", Facts("DevUserAuthentic_Engin", "", true, true), true, 3, {1},
       {9}, "authservernotfound", {7}, 2, "ask, user, login, box 430/350 yesno"},
      {"unknown error name gives 422", Facts("DevUserAuthentic_Engin", "", true, true), true, 3, {1}, {9},
       "SomethingElse", {7}, 2, "ask, user, login, box 422/350 yesno"},
      {"device silent: dialog only", Facts("DevUserAuthentic_Engin", "", true, true), false, 0, {1}, {}, "", {}, 1,
       "ask, user"},
      {"no address: the check does not count", Facts("DevUserAuthentic_Engin", "", true, true, false), true, 3, {1},
       {}, "", {}, 1, "user"},
      {"middle server answered type 4", Facts("DevUserAuthentic_InterSV", "", false, true), true, 4, {1}, {}, "", {},
       1, "ask, middle"},
      {"middle server case, device type 2: user dialog", Facts("DevUserAuthentic_InterSV", "", false, true), true, 2,
       {1}, {}, "", {}, 1, "ask, user"},
      {"middle server, device silent", Facts("DevUserAuthentic_InterSV", "", false, true), false, 0, {2}, {}, "", {}, 2,
       "ask, middle"},
      {"account track only, no popup, no verify", Facts("DevUserAuthentic_Dis", "DevAccountTrack_Ena", false, false),
       true, 3, {}, {}, "", {}, 1, ""},
      {"no popup: hidden login accepted", Facts("DevUserAuthentic_Engin", "", true, false), true, 3, {}, {0}, "", {}, 1,
       "ask, login"},
      {"no popup: refused login shows 442 and drops", Facts("DevUserAuthentic_Engin", "", true, false), true, 3, {},
       {1}, "", {}, 2, "ask, login, box 424/442 ok"},
  };
  for (Case& c : cases) {
    Script s;
    s.answers = c.answers;
    s.type = c.type;
    s.dialogs = c.dialogs;
    s.logins = c.logins;
    s.errorName = c.errorName;
    s.boxes = c.boxes;
    EXPECT_EQ(RunAuthenticationFlow(c.facts, s.Device()), c.want) << c.name;
    EXPECT_EQ(Joined(s.log), c.calls) << c.name;
  }
}

}  // namespace
