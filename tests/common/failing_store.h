// The file store with its n-th step made to fail, once started: that step alone, every later step of its kind
// (a full disk fails every write) or every later step, until cleared. Writing and flushing fail as a full
// disk, opening as a file held by another program, the rest as a plain error.
#pragma once

#include "storage/file_faults.h"

struct FailingStore {
    enum Lasting { once, sameKind, everything } lasting = once;
    int failAt = 0;  // 0: the steps are only counted
    bool started = false;
    int steps = 0;
    FileStep failing = FileStep::open;

    FailingStore() { active() = this, fileStepFault = ask; }
    ~FailingStore() { fileStepFault = nullptr; }
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
        if (!store.started || (++store.steps, store.failAt == 0) || store.steps < store.failAt) return StepFault::none;
        if (store.steps == store.failAt) store.failing = step;
        else if (store.lasting == once || (store.lasting == sameKind && step != store.failing)) return StepFault::none;
        return step == FileStep::write || step == FileStep::flush ? StepFault::diskFull
               : step == FileStep::open                           ? StepFault::heldElsewhere
                                                                  : StepFault::failed;
    }
};
