#include "operations/DKmayaNativeOp.h"

#include "plugin/DKexception.h"

void DKmayaNativeOp::doIt() {
    checkStatus(modifier_.doIt(), "Error doing native modifier operations.");
}

void DKmayaNativeOp::undoIt() {
    checkStatus(modifier_.undoIt(), "Error undoing native modifier operations.");
}
