#include "doscommand/DosCommand.h"

#include "doscommand/DosThread.h"
#include "framework/Unicode.h"

TDosCommand::TDosCommand(TComponent* owner) : TComponent(owner) {
  // Signalled while idle, so that an owner waiting for "the run has ended"
  // never waits for a run that was not started.
  run_ended_ = THandle(CreateEventW(nullptr, TRUE, TRUE, nullptr));
}

TDosCommand::~TDosCommand() { Stop(); }

void TDosCommand::Execute() {
  if (command_line_.empty()) throw EDosCommand();
  // Two workers must never share Lines and the timer.
  Stop();
  if (!timer_) timer_ = &OwnedComponent<TProcessTimer>(*this);
  lines_.Clear();
  {
    std::lock_guard<std::mutex> lock(outcome_lock_);
    outcome_ = TRunOutcome{};
  }
  ResetEvent(run_ended_.Get());
  timer_->Start();
  worker_ = std::make_unique<TDosThread>(this, command_line_, &lines_, InputToOutput, timer_,
                                         MaxTimeAfterBeginning, MaxTimeAfterLastOutput, OnNewLine,
                                         OnTerminated, CreationFlags(), run_ended_.Get());
}

void TDosCommand::Stop() { worker_.reset(); }

bool TDosCommand::IsRunning() const { return timer_ != nullptr && timer_->Counting(); }

TRunOutcome TDosCommand::LastOutcome() const {
  std::lock_guard<std::mutex> lock(outcome_lock_);
  return outcome_;
}

void TDosCommand::SetOutcome(const TRunOutcome& outcome) {
  std::lock_guard<std::mutex> lock(outcome_lock_);
  outcome_ = outcome;
}

void TDosCommand::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Text("CommandLine", [this] { return WideToUtf8(command_line_); },
             [this](const std::string& v) { command_line_ = Utf8ToWide(v); });
  table.Enum("InputToOutput", {"False", "True"}, [this] { return InputToOutput ? 1 : 0; },
             [this](std::int64_t v) { InputToOutput = v != 0; });
  table.Int("MaxTimeAfterBeginning", [this] { return MaxTimeAfterBeginning; },
            [this](std::int64_t v) { MaxTimeAfterBeginning = static_cast<std::int32_t>(v); });
  table.Int("MaxTimeAfterLastOutput", [this] { return MaxTimeAfterLastOutput; },
            [this](std::int64_t v) { MaxTimeAfterLastOutput = static_cast<std::int32_t>(v); });
}
