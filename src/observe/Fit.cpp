#include "observe/Fit.h"

#include <Eigen/LU>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unsupported/Eigen/LevenbergMarquardt>

#include "observe/ObservedHeads.h"
#include "solver/Solve.h"

namespace planaq {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

// The 97.5 % point of Student's t with dof degrees of freedom (tabled to 30, then a close
// approximation that tends to the normal 1.96).
double StudentT975(int dof) {
  static const double table[] = {12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306,
                                 2.262,  2.228, 2.201, 2.179, 2.160, 2.145, 2.131, 2.120,
                                 2.110,  2.101, 2.093, 2.086, 2.080, 2.074, 2.069, 2.064,
                                 2.060,  2.056, 2.052, 2.048, 2.045, 2.042};
  if (dof >= 1 && dof <= 30) return table[dof - 1];
  return 1.96 + 2.4 / dof;
}

// Every evaluation: the parameters set, the heads of the start restored, a full Solve, the
// weighted residuals of the observations in use.
class Evaluator {
 public:
  Evaluator(Problem& p, const ObservationSet& set, const std::vector<FitParameter>& params,
            const FitOptions& options)
      : p_(p), set_(set), params_(params), options_(options) {
    startHeads_.resize(static_cast<std::size_t>(p.NN));
    for (int n = 0; n < p.NN; ++n) startHeads_[n] = p.layers[n].F;
    for (const FitParameter& q : params) startValues_.push_back(FitValue(p, q));
    const std::vector<ObservedHead> heads = ComputeObservedHeads(p, set);
    for (int i = 0; i < set.size(); ++i) {
      const ObservationStatus s = heads[i].status;
      if (s == ObservationStatus::Outside || s == ObservationStatus::LayerBeyondNL) continue;
      inUse_.push_back(i);
      sumWeights_ += set.points[i].weight;
      if (set.points[i].weight > 0.0) ++weighted_;
    }
  }

  int values() const { return static_cast<int>(inUse_.size()); }
  int weighted() const { return weighted_; }
  double sumWeights() const { return sumWeights_; }
  int solves() const { return solves_; }
  bool stopped() const { return stopped_; }
  FitStop stop() const { return stop_; }
  const std::string& message() const { return message_; }
  const ObservationStatistics& statistics() const { return statistics_; }

  bool Logarithmic(int j) const { return SearchedOnLogarithm(params_[j]); }
  double ValueOf(int j, double x) const {
    return SearchedOnLogarithm(params_[j]) ? std::exp(x) : x;
  }
  double SearchOf(int j, double v) const {
    return SearchedOnLogarithm(params_[j]) ? std::log(v) : v;
  }
  // compared where the search runs, so that a bound brought back from it is within
  bool Within(int j, double x) const {
    return x >= SearchOf(j, params_[j].lower) && x <= SearchOf(j, params_[j].upper);
  }
  // the value of x[j], held to the bounds against the rounding of exp(log(v))
  double BoundedValueOf(int j, double x) const {
    return std::clamp(ValueOf(j, x), params_[j].lower, params_[j].upper);
  }

  // false, with the reason kept, when the search is to end here
  bool Evaluate(const VectorXd& x, VectorXd& f, bool searching) {
    for (int j = 0; j < x.size(); ++j) {
      if (Within(j, x[j])) continue;
      const double v = ValueOf(j, x[j]);
      const double bound = v < params_[j].lower ? params_[j].lower : params_[j].upper;
      const std::string message =
          FitParameterName(params_[j]) + " reached its bound " + Number(bound) + " m/d";
      if (searching) TryAtBounds(x);
      return Stop(FitStop::Bound, message);
    }
    if (searching && solves_ >= options_.maxSolves)
      return Stop(FitStop::MaxSolves, "Stopped after " + std::to_string(solves_) + " solves");
    if (options_.cancelled && options_.cancelled()) return Stop(FitStop::Cancelled, "Cancelled");
    Apply(x);
    SolveProgress silent;
    const SolveResult result = SolveProblem(p_, options_.progress ? *options_.progress : silent);
    ++solves_;
    if (!result.solved) return Stop(FitStop::Refused, "The solve was refused: " + result.message);
    const std::vector<ObservedHead> heads = ComputeObservedHeads(p_, set_);
    statistics_ = ComputeStatistics(set_, heads);
    f.resize(values());
    for (int k = 0; k < values(); ++k) {
      const int i = inUse_[k];
      if (!heads[i].used())
        return Stop(FitStop::Refused, "The head at " + set_.points[i].name + " is not finite");
      f[k] = std::sqrt(set_.points[i].weight) * heads[i].residual;
    }
    return true;
  }

  // The trial that left the bounds, brought back onto them: where the search ends when it
  // fits better than the point the search stands on.
  bool hasBoundPoint() const { return hasBoundPoint_; }
  const VectorXd& boundPoint() const { return boundPoint_; }
  double boundNorm() const { return boundNorm_; }

  // The problem as it was before the fit.
  void Restore() {
    for (std::size_t j = 0; j < params_.size(); ++j) FitValue(p_, params_[j]) = startValues_[j];
    RestoreHeads();
  }

 private:
  void Apply(const VectorXd& x) {
    for (int j = 0; j < x.size(); ++j) FitValue(p_, params_[j]) = BoundedValueOf(j, x[j]);
    RestoreHeads();
  }
  void RestoreHeads() {
    for (int n = 0; n < p_.NN; ++n) p_.layers[n].F = startHeads_[n];
  }
  void TryAtBounds(const VectorXd& x) {
    VectorXd projected = x, f;
    for (int j = 0; j < x.size(); ++j) {
      projected[j] = SearchOf(j, BoundedValueOf(j, x[j]));
    }
    if (!Evaluate(projected, f, true)) return;
    hasBoundPoint_ = true;
    boundPoint_ = projected;
    boundNorm_ = f.stableNorm();
  }

  bool Stop(FitStop stop, std::string message) {
    stopped_ = true;
    stop_ = stop;
    message_ = std::move(message);
    return false;
  }

  Problem& p_;
  const ObservationSet& set_;
  const std::vector<FitParameter>& params_;
  const FitOptions& options_;
  std::vector<LayerValues> startHeads_;
  std::vector<double> startValues_;
  std::vector<int> inUse_;
  double sumWeights_ = 0.0;
  int weighted_ = 0;
  int solves_ = 0;
  bool stopped_ = false;
  FitStop stop_ = FitStop::Converged;
  std::string message_;
  ObservationStatistics statistics_;
  bool hasBoundPoint_ = false;
  VectorXd boundPoint_;
  double boundNorm_ = 0.0;
};

struct Residuals : Eigen::DenseFunctor<double> {
  Residuals(Evaluator& e, int n) : Eigen::DenseFunctor<double>(n, e.values()), e(e) {}

  int operator()(const VectorXd& x, VectorXd& f) const { return e.Evaluate(x, f, true) ? 0 : -1; }

  // forward differences, stepping back where the step would leave the bounds
  int df(const VectorXd& x, MatrixXd& J) const { return Jacobian(x, J, true) ? inputs() : -1; }

  bool Jacobian(const VectorXd& x, MatrixXd& J, bool searching) const {
    VectorXd f0, f1;
    if (!e.Evaluate(x, f0, searching)) return false;
    J.resize(f0.size(), x.size());
    for (int j = 0; j < x.size(); ++j) {
      VectorXd xs = x;
      double h = 1e-4 * std::max(std::fabs(x[j]), 1.0);
      if (!e.Logarithmic(j)) h = 1e-3 * std::fabs(x[j]) + 1e-7;
      if (!e.Within(j, x[j] + h)) h = -h;
      xs[j] += h;
      if (!e.Evaluate(xs, f1, searching)) return false;
      J.col(j) = (f1 - f0) / h;
    }
    return true;
  }

  Evaluator& e;
};

bool Finished(Eigen::LevenbergMarquardtSpace::Status status) {
  return status != Eigen::LevenbergMarquardtSpace::Running &&
         status != Eigen::LevenbergMarquardtSpace::NotStarted;
}

void Intervals(const Residuals& functor, const VectorXd& x, double sumSquares, FitResult& r) {
  const int n = static_cast<int>(x.size()), dof = functor.e.weighted() - n;
  MatrixXd J;
  if (dof < 1 || !functor.Jacobian(x, J, false)) return;
  const MatrixXd normal = J.transpose() * J;
  const Eigen::FullPivLU<MatrixXd> lu(normal);
  if (!lu.isInvertible()) return;
  const MatrixXd covariance = (sumSquares / dof) * lu.inverse();
  const double t = StudentT975(dof);
  r.lower95.resize(n);
  r.upper95.resize(n);
  for (int j = 0; j < n; ++j) {
    const double half = t * std::sqrt(std::max(covariance(j, j), 0.0));
    r.lower95[j] = functor.e.ValueOf(j, x[j] - half);
    r.upper95[j] = functor.e.ValueOf(j, x[j] + half);
  }
  r.hasIntervals = true;
}

}  // namespace

FitResult RunFit(Problem& problem, const ObservationSet& set,
                 const std::vector<FitParameter>& parameters, const FitOptions& options) {
  FitResult r;
  const int n = static_cast<int>(parameters.size());
  for (const FitParameter& q : parameters) r.start.push_back(FitValue(problem, q));
  Evaluator evaluator(problem, set, parameters, options);
  r.used = evaluator.values();
  if (n == 0 || evaluator.weighted() < n || !(evaluator.sumWeights() > 0.0)) {
    r.stop = FitStop::BadInput;
    r.message =
        "The fit needs at least as many observations of positive weight in the mesh as "
        "parameters (" +
        std::to_string(evaluator.weighted()) + " for " + std::to_string(n) + ")";
    return r;
  }
  VectorXd x(n);
  for (int j = 0; j < n; ++j) {
    if (!evaluator.Within(j, evaluator.SearchOf(j, r.start[j])) ||
        (SearchedOnLogarithm(parameters[j]) && !(r.start[j] > 0.0))) {
      r.stop = FitStop::BadInput;
      r.message = FitParameterName(parameters[j]) + " = " + Number(r.start[j]) +
                  " lies outside its bounds " + Number(parameters[j].lower) + " to " +
                  Number(parameters[j].upper) + " m/d";
      return r;
    }
    x[j] = evaluator.SearchOf(j, r.start[j]);
  }
  Residuals functor(evaluator, n);
  Eigen::LevenbergMarquardt<Residuals> lm(functor);
  lm.setMaxfev(1000000);  // the solves are counted by the evaluator
  lm.setXtol(1e-6);
  lm.setFtol(1e-6);
  Eigen::LevenbergMarquardtSpace::Status status = lm.minimizeInit(x);
  const bool started = !evaluator.stopped();
  if (started) {
    r.rmsBefore = evaluator.statistics().rms;
    r.weightedRmsBefore = evaluator.statistics().weightedRms;
  }
  while (!evaluator.stopped() && !Finished(status)) {
    status = lm.minimizeOneStep(x);
    ++r.iterations;
    if (options.iterated && !evaluator.stopped()) {
      FitIteration it;
      it.iteration = r.iterations;
      it.solves = evaluator.solves();
      for (int j = 0; j < n; ++j) it.values.push_back(evaluator.BoundedValueOf(j, x[j]));
      it.weightedRms = std::sqrt(lm.fnorm() * lm.fnorm() / evaluator.sumWeights());
      options.iterated(it);
    }
  }
  r.stop = evaluator.stopped() ? evaluator.stop() : FitStop::Converged;
  r.message = evaluator.stopped() ? evaluator.message() : "Converged";
  if (r.stop == FitStop::Refused || r.stop == FitStop::Cancelled || !started) {
    evaluator.Restore();
    r.solves = evaluator.solves();
    return r;
  }
  double norm = lm.fnorm();
  if (r.stop == FitStop::Bound && evaluator.hasBoundPoint() && evaluator.boundNorm() < norm) {
    x = evaluator.boundPoint();
    norm = evaluator.boundNorm();
  }
  const double sumSquares = norm * norm;
  Intervals(functor, x, sumSquares, r);
  VectorXd f;
  if (!evaluator.Evaluate(x, f, false)) {  // the best values, solved, stay in the problem
    r.stop = evaluator.stop();
    r.message = evaluator.message();
    evaluator.Restore();
    r.solves = evaluator.solves();
    return r;
  }
  for (int j = 0; j < n; ++j) r.values.push_back(evaluator.BoundedValueOf(j, x[j]));
  r.rmsAfter = evaluator.statistics().rms;
  r.weightedRmsAfter = evaluator.statistics().weightedRms;
  r.holdsFit = true;
  r.solves = evaluator.solves();
  return r;
}

}  // namespace planaq
