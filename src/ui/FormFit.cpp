#include "ui/FormFit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <cstdio>

#include "ui/Dialogs.h"

namespace planaq::ui {

namespace {

// The fit's solves keep the window answering: every few iterations of a solve the pending
// events are handled, so Cancel is seen and the log repaints.
class AnsweringProgress : public SolveProgress {
 public:
  void IterationReported(int, double) override {
    if (++count_ % 20 == 0) QCoreApplication::processEvents();
  }

 private:
  int count_ = 0;
};

std::string Format(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

}  // namespace

TFormFit::TFormFit(Problem& problem, const ObservationSet& observations, Dialogs& dialogs,
                   QWidget* parent)
    : SecondaryForm(QStringLiteral("FormFit"), QStringLiteral("Fit"), parent),
      problem_(problem),
      set_(observations),
      dialogs_(dialogs) {
  StayAboveMainWindow();
  // nothing else may change the problem while a fit solves it again and again
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EditParameters = new QLineEdit(QStringLiteral("K:1:1"), this);
  EditParameters->setObjectName(QStringLiteral("EditParameters"));
  EditParameters->setToolTip(
      QStringLiteral("K:B:L (K of block B in layer L), KA:B:L (K' above layer L), I:B "
                     "(infiltration of block B), separated by spaces"));
  EditBounds = new QLineEdit(QStringLiteral("1e-06,10000"), this);
  EditBounds->setObjectName(QStringLiteral("EditBounds"));
  EditMaxSolves = new QLineEdit(QStringLiteral("200"), this);
  EditMaxSolves->setObjectName(QStringLiteral("EditMaxSolves"));
  form->addRow(QStringLiteral("Parameters"), EditParameters);
  form->addRow(QStringLiteral("Bounds of K and K' (m/d)"), EditBounds);
  form->addRow(QStringLiteral("Most solves"), EditMaxSolves);
  layout->addLayout(form);
  FitLog = new QPlainTextEdit(this);
  FitLog->setObjectName(QStringLiteral("FitLog"));
  FitLog->setReadOnly(true);
  FitLog->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont mono(QStringLiteral("Liberation Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(11);
  FitLog->setFont(mono);
  layout->addWidget(FitLog, 1);
  auto* buttons = new QHBoxLayout;
  ButtonStart = new QPushButton(QStringLiteral("Start"), this);
  ButtonStart->setObjectName(QStringLiteral("ButtonStart"));
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  buttons->addStretch(1);
  buttons->addWidget(ButtonStart);
  buttons->addWidget(ButtonCancel);
  layout->addLayout(buttons);
  connect(ButtonStart, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  resize(620, 420);
}

QString TFormFit::LogText() const { return FitLog->toPlainText(); }

void TFormFit::Log(const std::string& line) {
  FitLog->appendPlainText(QString::fromStdString(line));
  FitLog->repaint();
}

bool TFormFit::ReadFields(std::vector<FitParameter>& params, int& maxSolves) {
  double lower = kFitLowestK, upper = kFitHighestK;
  std::string message;
  if (!ParseFitBounds(EditBounds->text().trimmed().toStdString(), lower, upper, message)) {
    dialogs_.Message(message.substr(message.find(' ') + 1));
    return false;
  }
  bool ok = false;
  maxSolves = EditMaxSolves->text().trimmed().toInt(&ok);
  if (!ok || maxSolves < 1 || maxSolves > 1000000) {
    dialogs_.Message("Most solves: give a whole number from 1 to 1000000");
    return false;
  }
  const QStringList texts = EditParameters->text().split(
      QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts);
  if (texts.isEmpty()) {
    dialogs_.Message("Name the parameters to fit, e.g. K:1:1 KA:1:2 I:1");
    return false;
  }
  for (const QString& text : texts) {
    FitParameter p;
    if (!ParseFitParameter(text.toStdString(), problem_, p, message)) {
      dialogs_.Message(message.substr(message.find(' ') + 1));
      return false;
    }
    if (p.kind != FitKind::I) {
      p.lower = lower;
      p.upper = upper;
    }
    for (const FitParameter& q : params) {
      if (FitParameterName(q) == FitParameterName(p)) {
        dialogs_.Message(text.toStdString() + " is named twice");
        return false;
      }
    }
    params.push_back(p);
  }
  return true;
}

void TFormFit::ButtonStartClick() {
  if (running_) return;
  std::vector<FitParameter> params;
  int maxSolves = 200;
  if (!ReadFields(params, maxSolves)) return;
  FitLog->clear();
  running_ = true;
  cancelAsked_ = false;
  ButtonStart->setEnabled(false);
  AnsweringProgress progress;
  FitOptions options;
  options.maxSolves = maxSolves;
  options.progress = &progress;
  options.cancelled = [this] {
    QCoreApplication::processEvents();
    return cancelAsked_;
  };
  options.iterated = [this, &params](const FitIteration& it) {
    std::string line = "Iteration " + std::to_string(it.iteration) + "  solves " +
                       std::to_string(it.solves) + "  RMS " + Format("%.6f", it.weightedRms);
    for (std::size_t j = 0; j < params.size(); ++j)
      line += "  " + FitParameterName(params[j]) + "=" + Format("%.6g", it.values[j]);
    Log(line);
  };
  Log("Fitting " + std::to_string(params.size()) + " parameters to " + std::to_string(set_.size()) +
      " observations ...");
  const FitResult r = RunFit(problem_, set_, params, options);
  running_ = false;
  ButtonStart->setEnabled(true);
  Report(r, params);
  if (r.holdsFit) fitted_();
}

void TFormFit::Report(const FitResult& r, const std::vector<FitParameter>& params) {
  if (r.stop == FitStop::Cancelled) {
    Log("Cancelled: the problem is as it was.");
    return;
  }
  if (!r.holdsFit) {
    Log(r.message);
    dialogs_.Message(r.message);
    return;
  }
  Log(r.message + " after " + std::to_string(r.iterations) + " iterations and " +
      std::to_string(r.solves) + " solves");
  for (std::size_t j = 0; j < params.size(); ++j) {
    std::string line = FitParameterName(params[j]) + ": " + Format("%.6g", r.start[j]) + " -> " +
                       Format("%.6g", r.values[j]);
    if (r.hasIntervals)
      line += "   95 %: " + Format("%.6g", r.lower95[j]) + " to " + Format("%.6g", r.upper95[j]);
    Log(line);
  }
  Log("RMS before " + Format("%.6f", r.rmsBefore) + " m, after " + Format("%.6f", r.rmsAfter) +
      " m.");
  Log("The problem holds the fitted values: save it to keep them.");
}

void TFormFit::ButtonCancelClick() {
  if (running_) {
    cancelAsked_ = true;
    return;
  }
  FormClose();
}

void TFormFit::closeEvent(QCloseEvent* event) {
  if (running_) {  // the window stays until the fit has seen the Cancel
    cancelAsked_ = true;
    event->ignore();
    return;
  }
  SecondaryForm::closeEvent(event);
}

}  // namespace planaq::ui
