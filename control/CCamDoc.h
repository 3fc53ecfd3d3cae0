// The document of the hosted application: it holds nothing and stores nothing; the view owns
// the camera and its settings.
#pragma once

#include "platform/framework/Document.h"

class CCamDoc : public CDocument {};
