#pragma once

class CBmp;
class CHeadlessDesktop;

// Draws the whole desktop into `picture`: the bounding box of every monitor, transparent
// outside them, each monitor an opaque dark screen with its visible taskbar in grey, and
// what each overlay presented last composed over it at the place it was presented.
void ComposeDesktop(CHeadlessDesktop& desktop, CBmp* picture);
