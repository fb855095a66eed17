#pragma once
// Stores for many threads: one connection each while it works, kept for the
// next when it is done, dropped when its database failed it.
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "store/store.h"

namespace kinopa::store {

class StorePool {
 public:
  using Open = std::function<std::unique_ptr<Store>()>;
  explicit StorePool(Open open) : open_(std::move(open)) {}

  // Runs `work` on a store of its own; a StoreError from it drops that
  // store (its connection may be broken) and goes on to the caller.
  template <class F>
  auto with(F&& work) -> decltype(work(std::declval<Store&>())) {
    std::unique_ptr<Store> s = take();
    auto result = work(*s);  // a throw drops the store
    give(std::move(s));
    return result;
  }

 private:
  std::unique_ptr<Store> take();
  void give(std::unique_ptr<Store> s);

  Open open_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Store>> idle_;
};

}  // namespace kinopa::store
