#include "Bounded.h"

#include <future>
#include <thread>

bool ReturnsWithin(std::chrono::milliseconds limit, const std::function<void()>& work,
                   const std::function<void()>& unblock)
{
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread worker([&] {
        work();
        done.set_value();
    });
    const bool inTime = finished.wait_for(limit) == std::future_status::ready;
    if (!inTime)
        unblock();
    worker.join();
    return inTime;
}
