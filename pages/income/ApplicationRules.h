#pragma once

#include <QString>

class mTTrata;

// The rules a refund or offset application must pass before it can go with the declaration. The
// page of applications and the whole-declaration check both judge an application by them.

// The message of the first rule the application breaks; empty when it passes.
QString refundApplicationFailure(const mTTrata& application);
QString offsetApplicationFailure(const mTTrata& application);
// The rules of the application's own kind.
QString applicationFailure(const mTTrata& application);

// The section a failure of the application is shown under: "Возврат излишне уплаченного налога"
// or "Зачет излишне уплаченного налога".
QString applicationCheckTitle(const mTTrata& application);
