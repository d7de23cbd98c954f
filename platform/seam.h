// A replaceable operation. The program always runs the real one; a test puts a
// fake in its place for as long as a Seam::Replace guard lives.
#pragma once

#include <functional>
#include <utility>

namespace quorvale {

template <class Signature>
class Seam;

template <class R, class... Args>
class Seam<R(Args...)> {
 public:
  using Real = R (*)(Args...);
  using Fake = std::function<R(Args...)>;

  explicit Seam(Real real) : real_(real) {}
  Seam(const Seam&) = delete;
  Seam& operator=(const Seam&) = delete;

  R operator()(Args... args) const {
    return fake_ ? fake_(std::forward<Args>(args)...) : real_(std::forward<Args>(args)...);
  }

  class Replace {
   public:
    Replace(Seam& seam, Fake fake)
        : seam_(seam), previous_(std::exchange(seam.fake_, std::move(fake))) {}
    ~Replace() { seam_.fake_ = std::move(previous_); }
    Replace(const Replace&) = delete;
    Replace& operator=(const Replace&) = delete;

   private:
    Seam& seam_;
    Fake previous_;
  };

 private:
  Real real_;
  Fake fake_;
};

}  // namespace quorvale
