// A minimal X session manager (XSMP over libSM/libICE) that a shell script
// steps one command at a time, so the end-to-end tests can log a real
// program in and out of a session without a desktop.
//
// It listens on a local socket only and takes anyone who connects there, with
// no authentication: it is meant for a throw-away test session. Its first
// output line is the value for SESSION_MANAGER. Then it reads one command a
// line on stdin and answers each with one "ok ..." or "fail ..." line; what
// the client does meanwhile is printed as "event ..." lines. Every command
// takes an optional timeout in seconds (10 by default).
//
//   wait-register  until a client has registered and answered the SaveYourself
//                  (local, no shutdown) that every new client gets first
//   save           SaveYourself: both, no shutdown, no interaction, not fast;
//                  waits for SaveYourselfDone, then sends SaveComplete
//   shutdown       the same with shutdown True; SaveComplete is not sent
//   cancel         ShutdownCancelled
//   die            Die; waits for the client's connection to close
//   hint           the last SmRestartStyleHint the client set, or "none"; still
//                  answers after the client has left
//   quit           (end of input does the same)
//
// It serves one client at a time, all a test needs.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

// libICE's own switch for the transports it should not listen on (the KDE and
// Xfce session managers use it the same way to stay off the network).
extern "C" int _IceTransNoListen(const char* protocol);  // NOLINT(bugprone-reserved-identifier): libICE's name

namespace {

using Clock = std::chrono::steady_clock;

int ListenerCount = 0;
IceListenObj* Listeners = nullptr;
std::vector<IceConn> Connections;  // kept by the connection watch
volatile std::sig_atomic_t StopRequested = 0;

struct TClient {
  SmsConn sms = nullptr;
  bool registered = false;
  std::string id;
  int savesDone = 0;  // SaveYourselfDone messages received
  bool lastSaveSucceeded = false;
};
TClient Client;
// Kept when the client leaves, so that what it set last can still be asked.
int RestartHint = -1;  // -1: never set
bool ClientLeft = false;

void Event(const std::string& text) { std::printf("event %s\n", text.c_str()); }

Bool AllowAnyHost(char* /*hostName*/) { return True; }

void OnIceIOError(IceConn /*ice*/) {
  // The connection is dropped where IceProcessMessages reports it; the
  // default handler would end the whole process.
}

void OnIceError(IceConn, Bool, int minorOpcode, unsigned long, int errorClass, int severity, IcePointer) {
  Event("ice-error opcode=" + std::to_string(minorOpcode) + " class=" + std::to_string(errorClass) +
        " severity=" + std::to_string(severity));
}

void OnSmsError(SmsConn, Bool, int minorOpcode, unsigned long, int errorClass, int severity, SmPointer) {
  Event("sm-error opcode=" + std::to_string(minorOpcode) + " class=" + std::to_string(errorClass) +
        " severity=" + std::to_string(severity));
}

void OnConnectionWatch(IceConn ice, IcePointer, Bool opening, IcePointer*) {
  if (opening) {
    Connections.push_back(ice);
    Event("connection-opened");
  } else {
    std::erase(Connections, ice);
    Event("connection-closed");
  }
}

void CloseConnection(IceConn ice) {
  if (Client.sms != nullptr && SmsGetIceConnection(Client.sms) == ice) {
    ClientLeft = Client.registered;
    SmsCleanUp(Client.sms);
    Client = {};
  }
  IceSetShutdownNegotiation(ice, False);
  IceCloseConnection(ice);
}

Status OnRegisterClient(SmsConn sms, SmPointer, char* previousId) {
  if (previousId != nullptr) {
    // This manager keeps no sessions, so every earlier ID is unknown; the
    // client library then registers again without one.
    Event(std::string("register-refused previous-id=") + previousId);
    std::free(previousId);
    return 0;
  }
  char* generated = SmsGenerateClientID(sms);
  Client.id = generated != nullptr ? generated : "1tallyvane-test-client";
  std::free(generated);
  SmsRegisterClientReply(sms, Client.id.data());
  Client.registered = true;
  Event("registered " + Client.id);
  SmsSaveYourself(sms, SmSaveLocal, False, SmInteractStyleNone, False);
  return 1;
}

void OnInteractRequest(SmsConn, SmPointer, int dialogType) {
  Event("interact-request dialog=" + std::to_string(dialogType));
}

void OnInteractDone(SmsConn, SmPointer, Bool cancelShutdown) {
  Event(std::string("interact-done cancel-shutdown=") + (cancelShutdown ? "true" : "false"));
}

void OnSaveYourselfRequest(SmsConn, SmPointer, int saveType, Bool shutdown, int, Bool, Bool global) {
  Event("save-yourself-request type=" + std::to_string(saveType) + " shutdown=" + std::to_string(shutdown) +
        " global=" + std::to_string(global));
}

void OnSaveYourselfPhase2Request(SmsConn sms, SmPointer) {
  Event("save-yourself-phase2-request");
  SmsSaveYourselfPhase2(sms);
}

void OnSaveYourselfDone(SmsConn, SmPointer, Bool success) {
  ++Client.savesDone;
  Client.lastSaveSucceeded = success;
  Event(std::string("save-yourself-done ") + (success ? "success" : "failure"));
}

void OnCloseConnection(SmsConn sms, SmPointer, int count, char** reasons) {
  std::string text = "close-connection";
  for (int i = 0; i < count; ++i) text += std::string(" ") + reasons[i];
  Event(text);
  SmFreeReasons(count, reasons);
  CloseConnection(SmsGetIceConnection(sms));
}

void OnSetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  std::string text = "set-properties";
  for (int i = 0; i < count; ++i) {
    const SmProp* property = properties[i];
    text += std::string(" ") + property->name;
    if (std::strcmp(property->name, SmRestartStyleHint) == 0 && property->num_vals > 0 &&
        property->vals[0].length > 0) {
      // A CARD8: the first byte of the value, whatever length the client sent.
      RestartHint = *static_cast<const unsigned char*>(property->vals[0].value);
      text += "=" + std::to_string(RestartHint);
    }
    SmFreeProperty(properties[i]);
  }
  std::free(properties);
  Event(text);
}

void OnDeleteProperties(SmsConn, SmPointer, int count, char** names) {
  std::string text = "delete-properties";
  for (int i = 0; i < count; ++i) {
    text += std::string(" ") + names[i];
    if (std::strcmp(names[i], SmRestartStyleHint) == 0) RestartHint = -1;
    std::free(names[i]);
  }
  std::free(names);
  Event(text);
}

void OnGetProperties(SmsConn sms, SmPointer) { SmsReturnProperties(sms, 0, nullptr); }

Status OnNewClient(SmsConn sms, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char** failureReason) {
  if (Client.sms != nullptr) {
    *failureReason = strdup("this test session manager serves one client at a time");
    return 0;
  }
  Client = {};
  Client.sms = sms;
  RestartHint = -1;
  ClientLeft = false;
  *callbacks = {};
  callbacks->register_client.callback = OnRegisterClient;
  callbacks->interact_request.callback = OnInteractRequest;
  callbacks->interact_done.callback = OnInteractDone;
  callbacks->save_yourself_request.callback = OnSaveYourselfRequest;
  callbacks->save_yourself_phase2_request.callback = OnSaveYourselfPhase2Request;
  callbacks->save_yourself_done.callback = OnSaveYourselfDone;
  callbacks->close_connection.callback = OnCloseConnection;
  callbacks->set_properties.callback = OnSetProperties;
  callbacks->delete_properties.callback = OnDeleteProperties;
  callbacks->get_properties.callback = OnGetProperties;
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
          SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
          SmsGetPropertiesProcMask;
  return 1;
}

// Handles the ICE traffic that arrives within `wait`; false when none did.
bool PumpOnce(Clock::duration wait) {
  std::vector<pollfd> fds;
  fds.reserve(static_cast<std::size_t>(ListenerCount) + Connections.size());
  for (int i = 0; i < ListenerCount; ++i) fds.push_back({IceGetListenConnectionNumber(Listeners[i]), POLLIN, 0});
  for (IceConn ice : Connections) fds.push_back({IceConnectionNumber(ice), POLLIN, 0});
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wait).count();
  if (poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(ms, 0))) <= 0) return false;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    if (i < static_cast<std::size_t>(ListenerCount)) {
      IceAcceptStatus status;
      if (IceAcceptConnection(Listeners[i], &status) == nullptr) Event("accept-failed " + std::to_string(status));
      continue;
    }
    // Handling one connection may have closed another.
    const auto found = std::find_if(Connections.begin(), Connections.end(),
                                    [&](IceConn ice) { return IceConnectionNumber(ice) == fds[i].fd; });
    if (found == Connections.end()) continue;
    IceConn ice = *found;
    const IceProcessMessagesStatus status = IceProcessMessages(ice, nullptr, nullptr);
    if (status == IceProcessMessagesIOError) {
      CloseConnection(ice);
    } else if (status == IceProcessMessagesSuccess) {
      const IceConnectStatus setup = IceConnectionStatus(ice);
      if (setup == IceConnectRejected || setup == IceConnectIOError) CloseConnection(ice);
    }
  }
  return true;
}

// Handles ICE traffic until `done` holds (true) or the timeout passes (false).
bool PumpUntil(double seconds, const std::function<bool()>& done) {
  const auto deadline =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  while (!done()) {
    if (StopRequested || Clock::now() >= deadline) return false;
    PumpOnce(std::min<Clock::duration>(deadline - Clock::now(), std::chrono::milliseconds(100)));
  }
  return true;
}

bool Connected() { return Client.sms != nullptr; }

// A SaveYourself to the client, then its SaveYourselfDone.
bool Save(bool shutdown, double seconds) {
  const int before = Client.savesDone;
  SmsSaveYourself(Client.sms, SmSaveBoth, shutdown ? True : False, SmInteractStyleNone, False);
  const bool done = PumpUntil(seconds, [&] { return !Connected() || Client.savesDone > before; });
  return done && Connected();
}

std::string Run(const std::string& command, double seconds) {
  if (command == "wait-register") {
    if (!PumpUntil(seconds, [] { return Client.registered && Client.savesDone > 0; }))
      return "fail wait-register: no client registered and answered its first save in time";
    return "ok registered " + Client.id;
  }
  if (command == "hint") {
    // The client sets its properties after SaveYourselfDone: take what is on
    // the way first.
    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < deadline && PumpOnce(std::chrono::milliseconds(300))) {
    }
    return RestartHint < 0 ? "ok hint none" : "ok hint " + std::to_string(RestartHint);
  }
  if (!Client.registered) return "fail " + command + (ClientLeft ? ": the client has left" : ": no client registered");
  if (command == "save" || command == "shutdown") {
    if (!Save(command == "shutdown", seconds)) {
      return "fail " + command + (Connected() ? ": no SaveYourselfDone in time" : ": the client went away");
    }
    if (command == "save") SmsSaveComplete(Client.sms);
    return "ok " + command + (Client.lastSaveSucceeded ? " success" : " failure");
  }
  if (command == "cancel") {
    SmsShutdownCancelled(Client.sms);
    return "ok cancel";
  }
  if (command == "die") {
    SmsDie(Client.sms);
    if (!PumpUntil(seconds, [] { return !Connected(); })) return "fail die: the connection is still open";
    return "ok die closed";
  }
  return "fail unknown command: " + command;
}

void OnStopSignal(int) { StopRequested = 1; }

// Reads stdin a line at a time while serving the ICE connections.
bool NextLine(std::string& line) {
  static std::string buffer;
  for (;;) {
    const auto end = buffer.find('\n');
    if (end != std::string::npos) {
      line = buffer.substr(0, end);
      buffer.erase(0, end + 1);
      return true;
    }
    if (StopRequested) return false;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) > 0) {
      char chunk[256];
      const ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
      if (count <= 0) return false;
      buffer.append(chunk, static_cast<std::size_t>(count));
      continue;
    }
    PumpOnce(std::chrono::milliseconds(50));
  }
}

}  // namespace

int main() {
  // Each answer reaches the script at once, not when a buffer fills.
  static_cast<void>(std::setvbuf(stdout, nullptr, _IOLBF, 0));
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, nullptr);  // a script that has gone away is seen at the next read
  struct sigaction stop {};
  stop.sa_handler = OnStopSignal;
  sigemptyset(&stop.sa_mask);
  for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) sigaction(signalNumber, &stop, nullptr);

  IceSetIOErrorHandler(OnIceIOError);
  IceSetErrorHandler(OnIceError);
  SmsSetErrorHandler(OnSmsError);
  char error[256] = "";
  if (!SmsInitialize("Tallyvane tests", "1.0", OnNewClient, nullptr, AllowAnyHost, sizeof error, error)) {
    std::fprintf(stderr, "SmsInitialize: %s\n", error);
    return 1;
  }
  IceAddConnectionWatch(OnConnectionWatch, nullptr);
  for (const char* protocol : {"tcp", "inet", "inet6"}) _IceTransNoListen(protocol);
  if (!IceListenForConnections(&ListenerCount, &Listeners, sizeof error, error)) {
    std::fprintf(stderr, "IceListenForConnections: %s\n", error);
    return 1;
  }
  for (int i = 0; i < ListenerCount; ++i) {
    char* address = IceGetListenConnectionString(Listeners[i]);
    const bool local = std::strncmp(address, "local/", 6) == 0 || std::strncmp(address, "unix/", 5) == 0;
    if (!local) std::fprintf(stderr, "refusing to listen on %s\n", address);
    std::free(address);
    if (!local) return 1;
    IceSetHostBasedAuthProc(Listeners[i], AllowAnyHost);
  }
  char* networkIds = IceComposeNetworkIdList(ListenerCount, Listeners);
  std::printf("%s\n", networkIds);
  std::free(networkIds);

  std::string line;
  while (NextLine(line)) {
    std::istringstream words(line);
    std::string command;
    double seconds = 10;
    if (!(words >> command)) continue;
    words >> seconds;
    if (command == "quit") break;
    std::printf("%s\n", Run(command, seconds).c_str());
  }
  if (Client.sms != nullptr) CloseConnection(SmsGetIceConnection(Client.sms));
  IceFreeListenObjs(ListenerCount, Listeners);
  return 0;
}
