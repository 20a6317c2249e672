#include <algorithm>
#include <optional>
#include <string>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "updater/firmware_package.h"
#include "updater/update_flow.h"

namespace velt {
namespace {

constexpr int kBarWidth = 40;
// The longest answer read to the question; a longer line (or input without any line
// end, such as /dev/zero) is no.
constexpr size_t kMaxAnswer = 16;

// The update flow in a terminal: what was found, a question before updating, the
// progress, and the outcome as an exit status and a message on standard error.
class TerminalFrontEnd : public UpdateFrontEnd {
 public:
  explicit TerminalFrontEnd(CommandContext& context) : context_(context) {}

  void showDialog(const UpdateStep& step) override {
    endBar();
    last_ = step;
    std::ostream& out = context_.out;
    switch (step.dialog) {
      case UpdateDialog::kUpToDate:
        out << "mouse firmware " << step.mouseVersion << ", package firmware "
            << step.packageVersion << ": up to date\n";
        break;
      case UpdateDialog::kFirmwareNewer:
      case UpdateDialog::kUpdateOffered:
        out << "mouse firmware " << step.mouseVersion << ", package firmware "
            << step.packageVersion << "\n";
        break;
      case UpdateDialog::kUpdating:
        out << "the mouse waits in its bootloader: sending the firmware\n";
        break;
      case UpdateDialog::kUpdateCompleted:
        showProgress(100);
        endBar();
        out << "firmware sent; the mouse restarts\n";
        break;
      case UpdateDialog::kUpdateSuccess:
        out << "updated: the mouse runs firmware " << step.mouseVersion << "\n";
        break;
      default:  // the failures are told on standard error by exitStatus
        break;
    }
    out.flush();
  }

  // A bar redrawn on its line on a terminal; otherwise a line at each tenth.
  void showProgress(int32_t value) override {
    const int percent = std::clamp(value, 0, 100);
    std::ostream& out = context_.out;
    if (context_.outIsTerminal) {
      const int filled = percent * kBarWidth / 100;
      out << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
          << percent << "%" << std::flush;
      barOpen_ = true;
      return;
    }
    for (; nextTenth_ <= percent; nextTenth_ += 10) out << "sent " << nextTenth_ << "%\n";
    out.flush();
  }

  void alertBootloaderSearch() override {
    context_.out << kBootloaderSearchMessage << "\n" << std::flush;
  }

  const UpdateStep& last() const { return last_; }

  int exitStatus() {
    switch (last_.dialog) {
      case UpdateDialog::kUpToDate:
      case UpdateDialog::kUpdateSuccess:
        return kExitOk;
      case UpdateDialog::kFileIncorrect:
        context_.err << "bad firmware package in " << last_.packageFolder << ": " << last_.problem
                     << "\n";
        return kExitUsage;
      case UpdateDialog::kNotFindDevice:
        context_.err << last_.problem << "\n";
        return kExitNoMouse;
      default:
        context_.err << "update failed: " << last_.problem << "\n";
        return kExitDeviceFailed;
    }
  }

 private:
  void endBar() {
    if (barOpen_) context_.out << "\n";
    barOpen_ = false;
  }

  CommandContext& context_;
  UpdateStep last_;
  bool barOpen_ = false;
  int nextTenth_ = 10;
};

// One line of at most kMaxAnswer characters, without its line end; nullopt at the end
// of input before a line end, or for a longer line (the rest is not read).
std::optional<std::string> readShortLine(std::istream* in) {
  if (in == nullptr) return std::nullopt;
  std::string line;
  for (std::istream::int_type c = in->get(); c != std::istream::traits_type::eof(); c = in->get()) {
    if (c == '\n') return line;
    if (line.size() == kMaxAnswer) return std::nullopt;
    line += static_cast<char>(c);
  }
  return std::nullopt;
}

bool confirmed(CommandContext& context, const UpdateStep& offer) {
  context.out << (offer.dialog == UpdateDialog::kFirmwareNewer
                      ? "the mouse's firmware is newer; install " + offer.packageVersion +
                            " anyway? [y/N] "
                      : "update the mouse to " + offer.packageVersion + "? [y/N] ")
              << std::flush;
  const std::string answer = readShortLine(context.in).value_or("");
  if (!context.outIsTerminal) context.out << answer << "\n";
  return answer == "y" || answer == "Y" || answer == "yes";
}

}  // namespace

int runUpdate(CommandContext& context) {
  std::string folder = installedPackageFolder();
  bool yes = false;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--yes") {
      yes = true;
    } else if (args[i] == "--package" && i + 1 < args.size() && !args[i + 1].empty()) {
      folder = args[++i];
    } else {
      return usageError(context, "usage: veltctl update [--package DIR] [--yes]");
    }
  }
  TerminalFrontEnd frontEnd(context);
  UpdateFlow flow(folder, frontEnd);
  flow.UpdateProcessing();
  const UpdateDialog offered = frontEnd.last().dialog;
  if (offered == UpdateDialog::kFirmwareNewer || offered == UpdateDialog::kUpdateOffered) {
    if (!yes && !confirmed(context, frontEnd.last())) {
      context.out << "not updated\n";
      return kExitOk;
    }
    if (yes && offered == UpdateDialog::kFirmwareNewer) {
      context.out << "the mouse's firmware is newer: installing the package's older "
                  << frontEnd.last().packageVersion << " as --yes asks\n";
    }
    context.out << "switching the mouse to its bootloader\n" << std::flush;
    flow.V1_UpdateFrFirmware();
  }
  return frontEnd.exitStatus();
}

}  // namespace velt
