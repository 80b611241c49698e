// Rotation_Handler: the platform's orientation chooser; its answer becomes
// message::Set_Orientation.
#pragma once

class Messenger;

class Rotation_Handler {
public:
    explicit Rotation_Handler(Messenger& messenger);
    ~Rotation_Handler();
    Rotation_Handler(Rotation_Handler const&) = delete;
    Rotation_Handler& operator=(Rotation_Handler const&) = delete;

    void show();

    // The platform calls back a plain function; it reaches the one instance here.
    static Rotation_Handler* s_handling_rotation;
    static void static_rotation_handler(int orientation);

private:
    void rotation_handler(int orientation);

    Messenger& messenger;
};
