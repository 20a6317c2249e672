#include "toolkit/UiServices.h"

namespace velt {

namespace {
std::unique_ptr<UiServices>& installed() {
  static std::unique_ptr<UiServices> services;
  return services;
}
}  // namespace

UiServices& uiServices() {
  if (!installed()) installed() = makeQtUiServices();
  return *installed();
}

void setUiServices(std::unique_ptr<UiServices> services) {
  installed() = std::move(services);
}

void ScriptedUiServices::alert(const std::string& title, const std::string& message) {
  calls.push_back({"alert", title, message});
}

static std::optional<std::string> nextAnswer(std::deque<std::optional<std::string>>& answers) {
  if (answers.empty()) return std::nullopt;
  std::optional<std::string> answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUiServices::openPanel(const std::string& title) {
  calls.push_back({"open", title, {}});
  return nextAnswer(panelAnswers);
}

std::optional<std::string> ScriptedUiServices::savePanel(const std::string& title,
                                                         const std::string& suggestedName) {
  calls.push_back({"save", title, suggestedName});
  return nextAnswer(panelAnswers);
}

ProgramOutcome ScriptedUiServices::runProgram(const ProgramCall& call, std::chrono::milliseconds) {
  calls.push_back({"run", programText(call), {}});
  if (commandStatuses.empty()) return {};
  int status = commandStatuses.front();
  commandStatuses.pop_front();
  return {ProgramOutcome::Kind::Exited, status};
}

void ScriptedUiServices::runInBackground(std::vector<ProgramCall> programs,
                                         std::chrono::milliseconds) {
  for (const ProgramCall& call : programs)
    calls.push_back({"run", programText(call), "background"});
}

bool ScriptedUiServices::openUrl(const std::string& url) {
  calls.push_back({"url", url, {}});
  return urlOpens;
}

void ScriptedUiServices::hideApplication() {
  calls.push_back({"hide", {}, {}});
}

void ScriptedUiServices::showApplication() {
  calls.push_back({"show", {}, {}});
}

}  // namespace velt
