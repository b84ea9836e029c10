#pragma once

// Where a picture button draws its face, in client pixels.
struct FaceRect {
    int x;
    int y;
    int width;
    int height;

    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
    bool operator==(const FaceRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// The artwork is drawn for 96 DPI. At 96 DPI the face keeps its own size at the client's
// corner, as it was designed; at any other DPI it is scaled by dpi / 96 (rounded), shrunk
// further, keeping its proportions, when the client is smaller, and centred in the client.
FaceRect PlaceFace(int clientWidth, int clientHeight, int faceWidth, int faceHeight, int dpi);
