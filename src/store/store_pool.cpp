#include "store/store_pool.h"

namespace kinopa::store {

std::unique_ptr<Store> StorePool::take() {
  {
    const std::lock_guard lock(mutex_);
    if (!idle_.empty()) {
      std::unique_ptr<Store> s = std::move(idle_.back());
      idle_.pop_back();
      return s;
    }
  }
  return open_();
}

void StorePool::give(std::unique_ptr<Store> s) {
  const std::lock_guard lock(mutex_);
  idle_.push_back(std::move(s));
}

}  // namespace kinopa::store
