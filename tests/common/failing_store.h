// The file store with one step made to fail: once started, the n-th step
// fails, and until the fault clears either no other, every later step of its
// kind (a full disk fails every write) or every later step at all. A step fails
// as a full disk (writing or flushing), a file held by another program
// (opening) or a plain error.
#pragma once

#include "storage/file_faults.h"

struct FailingStore {
    int failAt = 0;        // 0: nothing fails, the steps are only counted
    enum Lasting { once, sameKind, everything } lasting = once;
    bool started = false;
    int steps = 0;
    FileStep failing = FileStep::open;

    FailingStore() { active() = this, fileStepFault = ask; }
    ~FailingStore() { fileStepFault = nullptr; }
    FailingStore(const FailingStore&) = delete;
    void start() { started = true, steps = 0; }
    void clear() { started = false; }

    static FailingStore*& active()
    {
        static FailingStore* store = nullptr;
        return store;
    }
    static StepFault ask(FileStep step)
    {
        FailingStore& store = *active();
        if (!store.started) return StepFault::none;
        ++store.steps;
        if (store.failAt == 0 || store.steps < store.failAt) return StepFault::none;
        if (store.steps == store.failAt) store.failing = step;
        else if (store.lasting == once || (store.lasting == sameKind && step != store.failing))
            return StepFault::none;
        return step == FileStep::write || step == FileStep::flush ? StepFault::diskFull
               : step == FileStep::open                           ? StepFault::heldElsewhere
                                                                  : StepFault::failed;
    }
};
